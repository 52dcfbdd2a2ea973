#include "editor/dataset/CellRules.h"

namespace vt {

bool EditorOpensOn(int col, int row, int lastRow) {
    switch (col) {
    case ColTxFreq:
    case ColRxFreq:
    case ColName1:
    case ColName2:
    case ColCtcssEnc:
    case ColDcsEnc:
    case ColFiveTone:
    case ColCtDev:
    case ColPower:
        return row >= 1 && row <= lastRow;
    case ColCtcssDec:
    case ColDcsDec:
    case ColBcl:
    case ColScan:
    case ColAni:
    case ColSelCall:
        return row >= 1 && row < lastRow;
    default:
        return false;
    }
}

bool EnterMovesOn(int col) { return col == ColTxFreq || col == ColRxFreq || col == ColName1 || col == ColCtDev; }

} // namespace vt
