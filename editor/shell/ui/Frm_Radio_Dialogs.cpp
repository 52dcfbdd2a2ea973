// The settings and service windows that the menus and toolbar open.
#include "editor/shell/ui/Frm_Radio.h"

namespace vt {

void Frm_Radio::Menu_RadioOption_Click() {} // filled by the radio options dialog

void Frm_Radio::Menu_5Tone_Click() {} // filled by the 5-tone dialog

void Frm_Radio::Menu_AreaName_Click() {
    if (!AreaNamesEditable()) return; // one area or a bad record: nothing to name
    // filled by the area names dialog: shown modally here
}

void Frm_Radio::Menu_SetUp_Click() {} // filled by the setup window

void Frm_Radio::mnuTRxVol_Click() {} // filled by the voltage table editor

void Frm_Radio::Command1_Click() {} // filled by the test window (shown without being modal)

} // namespace vt
