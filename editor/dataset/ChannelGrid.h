#pragma once
// The data set's channel grid as everyone but the data set sees it: its cells are read here and
// written only through EditorData, which decides what counts as an edit. What is no data stays
// open to the view: its listener, the column widths and a refresh notice.
#include "editor/dataset/GridStore.h"

#include <string>

namespace vt {

struct EditorData;

class ChannelGrid {
public:
    int Rows() const { return store_.Rows(); }
    int Cols() const { return store_.Cols(); }
    const std::string& TextMatrix(int row, int col) const { return store_.TextMatrix(row, col); }
    bool Contains(int row, int col) const { return store_.Contains(row, col); }
    int ColWidth(int col) const { return store_.ColWidth(col); }
    // The cell rules read a plain store.
    operator const GridStore&() const { return store_; }

    void SetColWidth(int col, int twips) { store_.SetColWidth(col, twips); }
    void setListener(GridListener* l) { store_.setListener(l); }
    void ReportReset() { store_.ReportReset(); }

private:
    friend struct EditorData;
    ChannelGrid(int rows, int cols) : store_(rows, cols) {}
    GridStore store_;
};

} // namespace vt
