// New, Open, Save, Print and Print To File of the main window.
#include "editor/shell/ui/Frm_Radio.h"

namespace vt {

void Frm_Radio::ClearAll() {} // filled by the data-file commands: resets the data set and the grid

bool Frm_Radio::SavePrompt() { return true; } // filled by the data-file commands: Yes/No/Cancel save question

void Frm_Radio::Menu_New_Click() {} // filled by the data-file commands

void Frm_Radio::Menu_Open_Click() {} // filled by the data-file commands

bool Frm_Radio::Menu_Save_Click() { return false; } // filled by the data-file commands: true once saved

bool Frm_Radio::ReadImageFile(const QString&) { return false; } // filled by the data-file commands

void Frm_Radio::WriteImageFile(const QString&) {} // filled by the data-file commands

void Frm_Radio::Menu_Print_Click() {} // filled by the report commands

void Frm_Radio::Menu_PrintFile_Click() {} // filled by the report commands

} // namespace vt
