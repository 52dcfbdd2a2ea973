// Reading and writing the radio through the transfer tool, and the COM-port choice.
#include "common/ComPortMap.h"
#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ProcessStarter.h"
#include "editor/codec/ImageFile.h"
#include "editor/image/GridShape.h"
#include "editor/settings/ui/Frm_Default.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/dlgSetting.h"

#include <QLineEdit>
#include <QTimer>
#include <filesystem>

namespace vt {

namespace {
std::filesystem::path Exchange(const char* name) { return ProgramFolder() / name; }

QString ErrorText(const std::string& error) { return QString::fromStdString(error); }
} // namespace

int Frm_Radio::HasChannelData() {
    const GridStore& g = d_.MFG;
    if (g.Rows() < 2 || g.Cols() < 3) return 0;
    return !g.TextMatrix(1, ColTxFreq).empty() && !g.TextMatrix(1, ColRxFreq).empty() ? 1 : 0;
}

bool Frm_Radio::WriteMsgFile() {
    std::string error;
    if (WriteMsgSys(Exchange(kMsgSysName), MsgSys{MsgBuf[0], MsgBuf[1], MsgBuf[2]}, &error)) return true;
    ui::MsgBox(ErrorText(error), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    return false;
}

bool Frm_Radio::ReadMsgFile() {
    // The status is all the poll needs; byte 2 (the language) is never read back.
    MsgSys msg{MsgBuf[0], MsgBuf[1], MsgBuf[2]};
    if (!ReadMsgSys(Exchange(kMsgSysName), msg, 1)) return false;
    MsgBuf[0] = msg.status;
    MsgBuf[1] = msg.port;
    return true;
}

bool Frm_Radio::StartTool(const char* argument) {
    MsgBuf = {StatusRequested, static_cast<uint8_t>(d_.CommPort), static_cast<uint8_t>(d_.LangCode == "chs" ? 1 : 0)};
    if (!WriteMsgFile()) return false;
    QString program = QString::fromStdString(ToolProgram().string());
    // The tool's end is watched too: a tool that dies without a final status must not leave
    // the editor hidden for ever.
    const unsigned run = ++TransferRun;
    bool started = ui::processStarter().start(program, {argument}, this, [this, run] {
        if (run != TransferRun || !ReadTimer->isActive()) return;
        if (ReadMsgFile() && IsFinalStatus(MsgBuf[0])) {
            ReadTimer_Timer();
            return;
        }
        EndTransfer();
        ui::MsgBox(Lng("Fradio_Msg", 27), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    });
    if (!started) {
        ui::MsgBox("Error VC start!", ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return false;
    }
    ReadTimer->start();
    hide();
    return true;
}

void Frm_Radio::Menu_WriteCHData_Click() {
    if (!CommitOpenEditor()) return;
    if (HasChannelData() != 1) {
        ui::MsgBox(NoChannelOneMsg, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    RunDefaultBeforeWrite(d_, this);
    if (!EncodeImageOrReport(ImageSource::Radio)) return;
    std::string error;
    if (!vt::WriteImageFile(Exchange(kWBufferName), d_.MemImage, &error)) {
        ui::MsgBox(ErrorText(error), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    d_.TransferMode = 1;
    StartTool("/W");
}

void Frm_Radio::Menu_ReadCHData_Click() {
    if (!SavePrompt()) return;
    ClearAll();
    d_.TransferMode = 0;
    // An old rbuffer.bin must never pass for the radio's answer.
    std::error_code ec;
    std::filesystem::remove(Exchange(kRBufferName), ec);
    StartTool("/R");
}

void Frm_Radio::ReadTimer_Timer() {
    if (!ReadMsgFile()) return; // the tool may be writing it: try again next second
    uint8_t s = MsgBuf[0];
    if (s == StatusNoResult || s == StatusNoRadio || s == StatusReadInterrupted || s == StatusEchoError) {
        EndTransfer();
        return;
    }
    if (s != StatusCompleted) return;
    EndTransfer();
    if (d_.TransferMode != 0) return;
    if (!ReadImageFile(QString::fromStdString(Exchange(kRBufferName).string()))) {
        ui::MsgBox(OpenFailedMsg, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    DecodeMemImage(ImageSource::Radio);
    UpdateAreaName();
    d_.ClearModified();
}

void Frm_Radio::EndTransfer() {
    show();
    ReadTimer->stop();
}

void Frm_Radio::Menu_COMPort_Click() {
    auto* dlg = findChild<dlgSetting*>("dlgSetting");
    if (!dlg) dlg = new dlgSetting(d_, ComPortMap::ForProgram(), this);
    dlg->show();
    dlg->raise();
    dlg->txtPort->setText(QString::number(d_.CommPort));
    dlg->txtSetting->setText(QString::fromStdString(d_.CommSettings));
}

} // namespace vt
