// New, Open, Save, Print and Print To File of the main window.
#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/Printer.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageFile.h"
#include "editor/codec/SaveChangeList.h"
#include "editor/settings/core/OptionLists.h"
#include "editor/settings/core/ToneSetList.h"
#include "editor/shell/core/ChannelReport.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>

#include <cerrno>
#include <cstring>

namespace vt {

namespace {
const char* kDataFilter = "data files (*.dat)|*.dat|All files (*.*)|*.*";
const char* kTextFilter = "data files (*.txt)|*.txt|All files (*.*)|*.*";
const char* kNoName = "noname.dat";
// Fradio_Msg 28 to 31 say why printing failed, in the order of ui::PrintFailure.
constexpr int kPrintFailureTexts = 27;

// A failed save names the file and the system's reason. The file is replaced whole or not at
// all, so a file that was there before still holds what it held: the user is told so.
QString SaveErrorText(const QString& notSaved, const QString& path, const ReplaceError& why, const QString& kept) {
    QString text = notSaved + "\n" + path + "\n" + QString::fromLocal8Bit(std::strerror(why.sysError));
    if (QFileInfo(path).isFile()) text += "\n" + kept;
    return text;
}

// "description (pattern)|pattern|..." as the Qt dialogs take it: the descriptions, ";;"-joined.
QString QtFilter(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) out << parts[i];
    return out.join(";;");
}

// "dat" of "data files (*.dat)|*.dat|...": a typed name without an extension gets it, so the
// file shows in the dialog's list again.
QString FirstPatternSuffix(const QString& filter) {
    const QString pattern = filter.section('|', 1, 1);
    return pattern.startsWith("*.") ? pattern.mid(2) : QString();
}

QString DataFolder() { return QString::fromStdString(ProgramPath("Data").string()); }

ReportLists ReportItemLists() {
    ReportLists l;
    for (auto s : OptionLists::ComboF1) l.functionKeys.emplace_back(s);
    for (auto s : OptionLists::ComboFunction) l.pinFunctions.emplace_back(s);
    for (auto s : kToneSetNames) l.toneSets.emplace_back(s);
    return l;
}

// A report entry ends in one or two carriage returns; each ends one printed line.
QStringList PrintedLines(const std::vector<std::string>& entries) {
    QStringList out;
    for (const std::string& e : entries) {
        QStringList parts = QString::fromStdString(e).split('\r');
        if (parts.size() > 1) parts.removeLast(); // nothing follows the last carriage return
        out << parts;
    }
    return out;
}
} // namespace

QString Frm_Radio::ChooseFile(bool save, const char* filter, const QString& initDir) {
    CD.FileName.clear();
    CD.Filter = filter;
    CD.InitDir = initDir;
    ui::FileDialogRequest r;
    r.kind = save ? ui::FileDialogRequest::Save : ui::FileDialogRequest::Open;
    r.directory = CD.InitDir;
    r.filter = QtFilter(CD.Filter);
    r.defaultSuffix = FirstPatternSuffix(CD.Filter);
    CD.FileName = ui::chooseFile(this, r);
    return CD.FileName;
}

void Frm_Radio::ShowDocumentCaption(const QString& name) {
    DocumentName = name;
    documentNamed_ = true;
    setWindowTitle(WindowTitle + "  --  [" + name + "]");
}

void Frm_Radio::ConnectTableMessages() {
    d_.Tables.ShowMessage = [this](const std::string& text) {
        ui::MsgBox(QString::fromStdString(text), ui::MsgButtons::Ok, ui::MsgIcon::Warning, QString(), this);
    };
}

bool Frm_Radio::EncodeImageOrReport(ImageSource source) {
    ConnectTableMessages();
    const CodecTables tables = LoadCodecTables(d_.Tables, d_.VolTables, TablesFor::Encode);
    // A table refused as it was read has said so: the encode that would refuse it again is not run.
    if (!tables.Missing.empty()) return false;
    EncodeResult r = EncodeImage(d_, tables, source);
    if (r.ok()) {
        d_.MemImage = r.image;
        // Data the radio cannot hold is left out: say what, then the save or write goes on.
        if (!r.warnings.empty()) {
            ui::MsgBox(Lng("Fradio_Msg", 20) + "\n" + QString::fromStdString(ErrorListText(r.warnings)), ui::MsgButtons::Ok,
                       ui::MsgIcon::Warning, QString(), this);
        }
        return true;
    }
    ui::MsgBox(QString::fromStdString(ErrorListText(r.errors)), ui::MsgButtons::Ok, ui::MsgIcon::Critical,
               QString(), this);
    return false;
}

void Frm_Radio::DecodeMemImage(ImageSource source) {
    ConnectTableMessages();
    const CodecTables tables = LoadCodecTables(d_.Tables, d_.VolTables, TablesFor::Decode);
    DecodeResult decoded = DecodeImage(d_.MemImage, tables, source, d_);
    if (decoded.band) ShowBand(*decoded.band);
    const std::vector<ImageRepair>& repairs = decoded.repairs;
    if (repairs.empty()) return;
    // One box for all of them: the user learns what the image held that the editor cannot keep.
    const QString heading = Lng("Fradio_Msg", 18), row = Lng("Fradio_Msg", 19), more = Lng("Fradio_Msg", 21);
    // A foreign file can need hundreds: the box stays within the screen.
    constexpr size_t kShownLines = 25;
    ui::MsgBox(QString::fromStdString(RepairListText(repairs, heading.toStdString(), row.toStdString(), kShownLines,
                                                     more.toStdString())),
               ui::MsgButtons::Ok, ui::MsgIcon::Warning, QString(), this);
}

void Frm_Radio::ClearAll() {
    DataSetReplacement replacing(d_);
    ResetDataSet(d_);
    d_.MFG.SetColWidth(ColNo, kNoColWidthOneArea); // the label column, narrow again
    ShowDocumentCaption(kNoName);
    lbcurArea->setText("1");
    SetBand(0);
    UpdateScan();
    d_.ClearModified();
}

bool Frm_Radio::SavePrompt() {
    if (!CommitOpenEditor()) return false;
    if (!d_.IsModified()) return true;
    switch (ui::MsgBox(SaveChangesMsg, ui::MsgButtons::YesNoCancel, ui::MsgIcon::Question, QString(), this)) {
    case ui::MsgResult::Yes: return Menu_Save_Click(); // a cancelled or failed save keeps the data
    case ui::MsgResult::No: return true;
    default: return false;
    }
}

void Frm_Radio::Menu_New_Click() {
    if (!SavePrompt()) return;
    ClearAll();
}

void Frm_Radio::Menu_Open_Click() {
    if (!SavePrompt()) return;
    // The data set is cleared only once a file has been chosen and read.
    QString path = ChooseFile(false, kDataFilter, DataFolder());
    if (path.isEmpty()) return;
    ImageArray image{};
    ImageReadError why;
    if (!vt::ReadImageFile(path.toStdString(), image, &why)) {
        // The file's name and why, as a failed save gives them.
        const QString reason = why.sysError ? QString::fromLocal8Bit(std::strerror(why.sysError))
                                            : Lng("Fradio_Msg", 26).arg(why.size);
        ui::MsgBox(OpenFailedMsg + "\n" + path + "\n" + reason, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    ClearAll();
    d_.MemImage = image;
    DecodeMemImage(ImageSource::File);
    UpdateAreaName();
    ShowDocumentCaption(path);
    d_.ClearModified();
}

bool Frm_Radio::Menu_Save_Click() {
    if (!CommitOpenEditor()) return false;
    QString path = ChooseFile(true, kDataFilter, DataFolder());
    if (path.isEmpty()) return false;
    if (!EncodeImageOrReport(ImageSource::File)) return false;
    ReplaceError why;
    if (!SaveImageFile(path.toStdString(), d_.MemImage, &why)) {
        ui::MsgBox(SaveErrorText(Lng("Fradio_Msg", 23), path, why, Lng("Fradio_Msg", 24)), ui::MsgButtons::Ok,
                   ui::MsgIcon::None, QString(), this);
        return false;
    }
    ShowDocumentCaption(path);
    d_.ClearModified();
    return true;
}

bool Frm_Radio::ReadImageFile(const QString& path) {
    ImageArray image{};
    if (!vt::ReadImageFile(path.toStdString(), image)) return false;
    d_.MemImage = image;
    return true;
}

void Frm_Radio::Menu_Print_Click() {
    if (!CommitOpenEditor()) return;
    if (ui::MsgBox("Are you sure to Print Radio Data Info", ui::MsgButtons::OkCancel, ui::MsgIcon::Question,
                   QString(), this) != ui::MsgResult::Ok)
        return;
    ReportResult report = ChannelReport(d_, ReportItemLists());
    QString error = QString::fromStdString(report.error);
    if (error.isEmpty()) {
        const ui::PrintFailure failed = ui::printerService().printLines(this, PrintedLines(report.lines));
        if (failed != ui::PrintFailure::None) error = Lng("Fradio_Msg", kPrintFailureTexts + static_cast<int>(failed));
    }
    if (!error.isEmpty()) ui::MsgBox(error, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
}

void Frm_Radio::Menu_PrintFile_Click() {
    if (!CommitOpenEditor()) return;
    QString path = ChooseFile(true, kTextFilter, QDir::homePath());
    if (path.isEmpty()) return;
    ReportResult report = ChannelReport(d_, ReportItemLists());
    if (!report.error.empty()) {
        ui::MsgBox(QString::fromStdString(report.error), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    // Written as a data file is: whole beside the old one, then in its place, so a full or
    // read-only disk leaves the older report as it was; the box says so as Save's does.
    const std::string text = ReportFileText(report.lines);
    ReplaceError why;
    if (!ReplaceFileAtomic(path.toStdString(), reinterpret_cast<const uint8_t*>(text.data()), text.size(), {}, &why))
        ui::MsgBox(SaveErrorText(Lng("Fradio_Msg", 23), path, why, Lng("Fradio_Msg", 24)), ui::MsgButtons::Ok,
                   ui::MsgIcon::None, QString(), this);
}

} // namespace vt
