#include "editor/service/ui/frmMain.h"

#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "editor/service/core/SetupBoxCheck.h"
#include "editor/dataset/EditorData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vt {

namespace {
constexpr int kPollMs = 20;
QString LangText(const EditorData& data, const char* section, int index, const QString& fallback) {
    const std::string& text = data.Lang.Text(section, index);
    if (text.empty()) return fallback;
    // Line breaks of the language file arrive as carriage returns.
    return QString::fromStdString(text).replace("\r\n", "\n").replace('\r', '\n');
}

QLineEdit* SetupBox(const char* name, uint8_t value) {
    auto* box = new QLineEdit(QString::number(value));
    box->setObjectName(name);
    box->setMaximumWidth(60);
    return box;
}

QPushButton* Button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    return b;
}
} // namespace

frmMain::frmMain(EditorData& data, std::function<void()> decode, QWidget* parent)
    : QDialog(parent), data_(data), port_(data), engine_(data, port_, std::move(decode)) {
    setObjectName("frmMain");
    ui::FitToScreen(this);
    BuildLayout();
    Form_Load();
}

frmMain::~frmMain() { port_.Close(); }

void frmMain::BuildLayout() {
    setWindowTitle("frmCommWizard");

    Check1 = new QCheckBox("Manual Setup");
    Check1->setObjectName("Check1");
    // The boxes show the bytes in force, so closing without a change keeps them.
    Text1 = SetupBox("Text1", data_.Setup3C00);
    Text2 = SetupBox("Text2", data_.Setup3C01);
    Text3 = SetupBox("Text3", data_.Setup3C02);
    ls1 = new QLabel("3C00");
    ls2 = new QLabel("3C01");
    ls3 = new QLabel("3C02");
    ls1->setObjectName("ls1");
    ls2->setObjectName("ls2");
    ls3->setObjectName("ls3");
    for (QLineEdit* box : {Text1, Text2, Text3}) box->installEventFilter(this);

    Frame2 = new QGroupBox;
    Frame2->setObjectName("Frame2");
    auto* manual = new QGridLayout(Frame2);
    manual->addWidget(Check1, 0, 0, 1, 2);
    manual->addWidget(ls1, 1, 0);
    manual->addWidget(Text1, 1, 1);
    manual->addWidget(ls2, 2, 0);
    manual->addWidget(Text2, 2, 1);
    manual->addWidget(ls3, 3, 0);
    manual->addWidget(Text3, 3, 1);

    selSetupType = new QComboBox;
    selSetupType->setObjectName("selSetupType");
    cmdManualSend = Button("cmdManualSend", "Start");
    cmdClose = Button("cmdClose", "Close");
    cmdTransmit = Button("cmdTransmit", "T");
    cmdup = Button("cmdup", ">>");
    cmddown = Button("cmddown", "<<");
    txtInputHex = new QLineEdit;
    txtInputHex->setObjectName("txtInputHex");

    Frame1 = new QGroupBox("Operation");
    Frame1->setObjectName("Frame1");
    auto* op = new QGridLayout(Frame1);
    op->addWidget(selSetupType, 0, 0, 1, 3);
    op->addWidget(cmdManualSend, 1, 0, 1, 2);
    op->addWidget(cmdClose, 1, 2);
    op->addWidget(cmddown, 2, 0);
    op->addWidget(cmdTransmit, 2, 1);
    op->addWidget(cmdup, 2, 2);
    op->addWidget(txtInputHex, 3, 0, 1, 3);

    Frame4 = new QGroupBox("Current Status");
    Frame4->setObjectName("Frame4");
    lblStatus = new QLabel;
    lblStatus->setObjectName("lblStatus");
    lblStatus->setWordWrap(true);
    lblStatus->setMinimumHeight(60);
    (new QVBoxLayout(Frame4))->addWidget(lblStatus);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame2);
    top->addWidget(Frame1, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(Frame4);

    ctrTimer = new QTimer(this);
    ctrTimer->setObjectName("ctrTimer");
    ctrTimer->setInterval(1000);
    commPoll = new QTimer(this);
    commPoll->setInterval(kPollMs);

    connect(Check1, &QCheckBox::toggled, this, &frmMain::Check1_Click);
    connect(cmdManualSend, &QPushButton::clicked, this, &frmMain::cmdManualSend_Click);
    connect(cmdTransmit, &QPushButton::clicked, this, &frmMain::cmdTransmit_Click);
    connect(cmdup, &QPushButton::clicked, this, &frmMain::cmdup_Click);
    connect(cmddown, &QPushButton::clicked, this, &frmMain::cmddown_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
    connect(ctrTimer, &QTimer::timeout, this, &frmMain::ctrTimer_Timer);
    connect(commPoll, &QTimer::timeout, this, &frmMain::ctrMSComm_OnComm);
}

void frmMain::Form_Load() {
    txtInputHex->setVisible(data_.ShowHexInput == 1);
    engine_.Reset();
    // Touch the port once as the window opens; a port that is missing or busy is only
    // reported when the panel is started.
    if (port_.Open()) port_.Close();
    LoadLanguage();
    Check1->setChecked(false);
    Check1_Click();
    SetPanelActive(false);
}

void frmMain::LoadLanguage() {
    setWindowTitle(LangText(data_, "Fmain_Interface", 8, windowTitle()));
    cmdManualSend->setText(LangText(data_, "Fmain_Interface", 1, cmdManualSend->text()));
    cmdClose->setText(LangText(data_, "Fmain_Interface", 2, cmdClose->text()));
    Frame1->setTitle(LangText(data_, "Fmain_Interface", 3, Frame1->title()));
    Frame4->setTitle(LangText(data_, "Fmain_Interface", 4, Frame4->title()));
    statusPrefix_ = LangText(data_, "Fmain_Interface", 11, SetupEngine::DefaultStatusPrefix());
    selSetupType->clear();
    for (int i = 12; i <= 14; ++i)
        selSetupType->addItem(LangText(data_, "Fmain_Interface", i, QString("Setup %1").arg(i - 11)));
    selSetupType->setCurrentIndex(0);
    for (int i = 1; i <= 6; ++i) msgs_[i] = LangText(data_, "Fmain_Msg", i, QString());
}

void frmMain::Check1_Click() {
    const bool show = Check1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Text3, ls1, ls2, ls3}) w->setVisible(show);
    if (show) data_.ManualSetupFlag = 1;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            TextBox_LostFocus(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

bool frmMain::TextBox_LostFocus(QLineEdit* box) {
    const SetupBoxCheck check = SetupBoxCheck::Run(box->text().toStdString());
    if (check.ok()) return true;
    box->setText(SetupBoxCheck::kResetText);
    ui::MsgBox(QString::fromStdString(check.message), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    return false;
}

bool frmMain::Form_Unload() {
    if (Check1->isChecked()) {
        // A box the user never left has not been checked yet: check it now, and stay open.
        for (QLineEdit* box : {Text1, Text2, Text3}) {
            if (!TextBox_LostFocus(box)) {
                box->setFocus();
                return false;
            }
        }
    }
    ctrTimer->stop();
    commPoll->stop();
    port_.Close();
    if (Check1->isChecked()) {
        const std::array<uint8_t, 3> before{data_.Setup3C00, data_.Setup3C01, data_.Setup3C02};
        data_.Setup3C00 = SetupBoxCheck::Run(Text1->text().toStdString()).value;
        data_.Setup3C01 = SetupBoxCheck::Run(Text2->text().toStdString()).value;
        data_.Setup3C02 = SetupBoxCheck::Run(Text3->text().toStdString()).value;
        // The bytes travel in the data file: a changed one is an edit the save question asks about.
        if (before != std::array<uint8_t, 3>{data_.Setup3C00, data_.Setup3C01, data_.Setup3C02})
            data_.MarkModified();
    }
    return true;
}

void frmMain::done(int r) {
    if (unloaded_) {
        QDialog::done(r);
        return;
    }
    if (!Form_Unload()) return;
    unloaded_ = true;
    QDialog::done(r);
}

bool frmMain::cmdReceive_Click() {
    if (!port_.Open()) return false;
    port_.DiscardInput();
    engine_.ReceivingFlag = true;
    commPoll->start();
    return true;
}

void frmMain::SetPanelActive(bool active) {
    cmdClose->setEnabled(active);
    cmdTransmit->setEnabled(active);
    cmdup->setEnabled(active);
    cmddown->setEnabled(active);
    cmdManualSend->setEnabled(!active);
    selSetupType->setEnabled(!active);
}

void frmMain::cmdManualSend_Click() {
    if (!cmdReceive_Click()) {
        ui::MsgBox("Can't Open COM Port!", ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
        return;
    }
    SetPanelActive(true);
    port_.SetRts(true);
    codes_ = SetupCodesFor(selSetupType->currentIndex());
}

void frmMain::SendCode(int index) {
    const std::vector<uint8_t> bytes = strHexToByteArray(codes_[static_cast<size_t>(index)]);
    if (!bytes.empty()) port_.Write(bytes.data(), bytes.size());
}

void frmMain::cmdTransmit_Click() { SendCode(CodeTransmit); }
void frmMain::cmdup_Click() { SendCode(CodeUp); }
void frmMain::cmddown_Click() { SendCode(CodeDown); }

void frmMain::cmdClose_Click() {
    SetPanelActive(false);
    SendCode(CodeClose);
    // The close code must be on the line before the request-to-send line drops.
    port_.Drain();
    port_.SetRts(false);
}

void frmMain::ctrMSComm_OnComm() {
    if (!engine_.ReceivingFlag || !port_.IsOpen()) return;
    const std::vector<uint8_t> bytes = port_.ReadAll();
    // The panel has no use for the radio's bytes; only a running engine looks at them.
    if (!bytes.empty()) engine_.OnReceived(bytes.data(), bytes.size());
}

bool frmMain::StartSetupProcess() {
    if (!engine_.StartSetupProcess()) return false;
    commPoll->start();
    ctrTimer->start();
    return true;
}

void frmMain::ctrTimer_Timer() {
    ctrMSComm_OnComm(); // take what has arrived before judging the tick
    const SetupEngine::Outcome outcome = engine_.Tick();
    if (engine_.SetupStage() == SetupEngine::StageTransfer && engine_.Mode() == 0)
        lblStatus->setText(QString::fromStdString(engine_.StatusCaption(statusPrefix_.toStdString())));
    if (outcome != SetupEngine::Outcome::Running) FinishEngine(outcome);
}

void frmMain::FinishEngine(SetupEngine::Outcome outcome) {
    ctrTimer->stop();
    const int index = static_cast<int>(outcome);
    if (!msgs_[static_cast<size_t>(index)].isEmpty())
        ui::MsgBox(msgs_[static_cast<size_t>(index)], ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    reject();
}

} // namespace vt
