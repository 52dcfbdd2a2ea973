// The settings and service windows that the menus and toolbar open.
#include "editor/shell/ui/Frm_Radio.h"

#include "editor/codec/ImageCodec.h"
#include "editor/service/ui/Form1.h"
#include "editor/service/ui/FrmTRxVoltage.h"
#include "editor/service/ui/frmMain.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Areaname.h"
#include "editor/settings/ui/Frm_Option.h"

namespace vt {

void Frm_Radio::Menu_RadioOption_Click() {
    if (!CommitOpenEditor()) return;
    Frm_Option dialog(d_, this);
    dialog.exec();
}

void Frm_Radio::Menu_5Tone_Click() {
    if (!CommitOpenEditor()) return;
    Frm_5Tone dialog(d_, this);
    dialog.exec();
}

void Frm_Radio::Menu_AreaName_Click() {
    if (!AreaNamesEditable()) return; // one area or a bad record: nothing to name
    if (!CommitOpenEditor()) return;
    Frm_Areaname dialog(d_, this);
    dialog.exec();
}

void Frm_Radio::Menu_SetUp_Click() {
    // The setup engine's completed read decodes the radio's image like a read through the tool.
    frmMain setup(d_, [this] { DecodeMemImage(ImageSource::Radio); }, this);
    setup.exec();
}

void Frm_Radio::mnuTRxVol_Click() {
    FrmTRxVoltage editor(d_.VolTables, this);
    editor.exec();
}

void Frm_Radio::Command1_Click() {
    // One test window at a time; it lives until the user closes it.
    Form1* bench = findChild<Form1*>();
    if (!bench) {
        bench = new Form1(d_, this);
        bench->setAttribute(Qt::WA_DeleteOnClose);
    }
    bench->show();
    bench->raise();
    bench->activateWindow();
}

} // namespace vt
