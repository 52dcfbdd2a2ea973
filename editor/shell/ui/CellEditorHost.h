#pragma once
// What the cell editors need of the window that shows the channel grid. Rectangles are in the
// coordinates of the editors' parent widget.
#include "editor/dataset/CellRules.h"

#include <QRect>

namespace vt {

class CellEditorHost {
public:
    virtual ~CellEditorHost() = default;
    virtual QRect GridRect() = 0;
    virtual QRect CellRect(int row, int col) = 0;
    // Makes (row, col) the grid's current cell.
    virtual void MoveToCell(int row, int col) = 0;
    // The grid's click handler, for the Enter chains.
    virtual void MFG_Click() = 0;
    // The messages the rules show, as the window shows its own: a window that completes missing
    // language entries hands the same texts to the rules, so no box comes up empty.
    virtual void CompleteTexts(CellContext&) {}
};

} // namespace vt
