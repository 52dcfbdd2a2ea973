#pragma once
// The channel store: a grid of text cells, row 0 the header. The data set keeps its own behind a
// read-only ChannelGrid; windows show it through a model.
#include <string>
#include <vector>

namespace vt {

class GridListener {
public:
    virtual ~GridListener() = default;
    virtual void gridReset() = 0;                  // row count or many cells changed
    virtual void cellChanged(int row, int col) = 0; // one cell
};

class GridStore {
public:
    explicit GridStore(int rows = 2, int cols = 16);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Growing adds empty rows; shrinking drops the last rows. At least one row stays.
    void SetRows(int rows);
    void SetCols(int cols);

    // Out-of-range cells read as "" and ignore writes, so a damaged data set never reaches
    // outside the grid.
    const std::string& TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const std::string& text);
    bool Contains(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }

    // Column widths in twips (the view converts them); 0 for a column outside the grid.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);

    void ClearRow(int row);
    void ClearAll(); // every cell, header included

    void setListener(GridListener* l) { listener_ = l; }
    // Many changes at once report one reset at the end.
    void beginBatch() { ++batch_; }
    void endBatch();
    // Reports a reset (at the end of the batch when one is open) though no cell may have changed.
    void ReportReset() { notifyReset(); }

private:
    int rows_, cols_;
    std::vector<std::string> cells_;
    std::vector<int> widths_;
    GridListener* listener_ = nullptr;
    int batch_ = 0;
    bool dirty_ = false;
    void notifyReset();
};

} // namespace vt
