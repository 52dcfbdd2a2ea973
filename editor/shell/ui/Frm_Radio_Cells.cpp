// The grid's click and scroll, and the cell editors laid over the cells.
#include "editor/shell/ui/Frm_Radio.h"

namespace vt {

void Frm_Radio::SetupCellEditors() {} // filled by the cell editors: fills the tone/code lists, connects events

bool Frm_Radio::CellEditorEvent(QObject*, QEvent*) { return false; } // filled by the cell editors

void Frm_Radio::MFG_Click() {} // filled by the cell editors: opens the clicked column's editor

void Frm_Radio::MFG_Scroll() {} // filled by the cell editors: hides the open editors

} // namespace vt
