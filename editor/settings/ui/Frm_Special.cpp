#include "editor/settings/ui/Frm_Special.h"

#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/settings/ui/ToneDialogText.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/CallTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace vt {

namespace {
using ui::Make;
using ui::Px;
using ui::PlaceTwips;
constexpr int kGap = 150;
constexpr int kFrameLeft = 240, kFrameWidth = 7575;
constexpr int kTypeTop = 120, kTypeHeight = 1575;
constexpr int kHelpHeight = 1095;
constexpr int kFrameHeights[kSpecialTypeCount] = {975, 735, 735, 735, 735, 855, 2895, 975};
constexpr int kClientWidth = 2 * kFrameLeft + kFrameWidth;
const char* kInterface = "Fspecial_Interface";

QLabel* LabelAt(QWidget* parent, const char* name, int x, int y, int w) {
    auto* l = Make<QLabel>(parent, name);
    l->setGeometry(x, y, w, 22);
    return l;
}

QLineEdit* BoxAt(QWidget* parent, const char* name, int x, int y, int w, int maxLength, const char* text) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setGeometry(x, y, w, 22);
    e->setMaxLength(maxLength);
    e->setText(QString::fromLatin1(text));
    return e;
}

QComboBox* ListAt(QWidget* parent, const char* name, int x, int y, int w) {
    auto* c = Make<QComboBox>(parent, name);
    c->setGeometry(x, y, w, 22);
    return c;
}

void Numbers(QComboBox* c, int from, int to, bool current) {
    if (current) c->addItem(QString::fromLatin1(kCurrentChannel.data(), static_cast<qsizetype>(kCurrentChannel.size())));
    for (int i = from; i <= to; ++i) c->addItem(QString::number(i));
    c->setCurrentIndex(0);
}

std::string Text(const QLineEdit* e) { return e->text().toStdString(); }
std::string Text(const QComboBox* c) { return c->currentText().toStdString(); }
} // namespace

Frm_Special::Frm_Special(EditorData& data, FiveToneList& list, std::string ownId, int specialLine, QWidget* parent)
    : QDialog(parent), SpecialLine(specialLine), d_(data), list_(list), ownId_(std::move(ownId)) {
    setObjectName(QStringLiteral("Frm_Special"));
    ui::FitToScreen(this);
    setWindowTitle(QStringLiteral("Install Special call"));
    // The layout is measured for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    BuildTypeFrame();
    BuildCallFrames();
    FrameHelp = Make<QGroupBox>(this, "FrameHelp");
    PlaceTwips(FrameHelp, kFrameLeft, 2760, kFrameWidth, kHelpHeight);
    SpecialTip = Make<QLabel>(FrameHelp, "SpecialTip");
    PlaceTwips(SpecialTip, 120, 240, 7335, 735);
    SpecialTip->setWordWrap(true);
    SpecialTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Numbers(cmbEmch, 1, kMaxChannels, true);
    Numbers(cmbMsgNum, 1, kMaxMessageNumber, false);
    Numbers(cmbCh2, 1, kMaxChannels, true);
    Numbers(cmbChannel, 1, kToneLines, false);
    cmbChannel->setCurrentIndex(SpecialLine >= 1 && SpecialLine <= kToneLines ? SpecialLine - 1 : 0);
    Numbers(cmbPine, 1, kMaxPin, false);
    for (const char* l : kPinLevels) cmbPineH->addItem(QString::fromLatin1(l));
    Numbers(cmbAlarmno, 1, kMaxAlarmNumber, false);
    Numbers(cmbPanicno, 1, kMaxAlarmNumber, false);
    const char* types[kSpecialTypeCount] = {"Get Code from Remote Station",
                                            "Interrogate Remote station Alarm",
                                            "Instruct Remote Station to Send Alarm",
                                            "Remote Station - Send EMERGENCY CALL to Control",
                                            "Emergency",
                                            "Network Call",
                                            "CALL OTHER USERS",
                                            "Received Message"};
    for (const char* t : types) cmbType->addItem(QString::fromLatin1(t));
    cmbType->setCurrentIndex(0);
    connect(cmbType, &QComboBox::currentIndexChanged, this, &Frm_Special::cmbType_Click);
    cmbType_Click();
    LoadLanguage();
    cmbType->setFocus(Qt::OtherFocusReason);
}

void Frm_Special::BuildTypeFrame() {
    FrameType = Make<QGroupBox>(this, "FrameType");
    PlaceTwips(FrameType, kFrameLeft, kTypeTop, kFrameWidth, kTypeHeight);
    Label2 = LabelAt(FrameType, "Label2", 8, Px(240), Px(3000));
    cmbChannel = ListAt(FrameType, "cmbChannel", Px(3120), Px(240), Px(975));
    Label1 = LabelAt(FrameType, "Label1", 8, Px(600), Px(3000));
    cmbType = ListAt(FrameType, "cmbType", Px(3120), Px(600), Px(4215));
    Command1 = Make<QPushButton>(FrameType, "Command1");
    Command1->setText(QStringLiteral("OK"));
    PlaceTwips(Command1, 4440, 1080, 1335, 375);
    Command2 = Make<QPushButton>(FrameType, "Command2");
    Command2->setText(QStringLiteral("Cancel"));
    PlaceTwips(Command2, 5880, 1080, 975, 375);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Frm_Special::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm_Special::reject);
    cmbChannel->installEventFilter(this);
    cmbType->installEventFilter(this);
}

QGroupBox* Frm_Special::CallFrame(int type, const char* name, int heightTwips) {
    auto* f = Make<QGroupBox>(this, name);
    f->setGeometry(Px(kFrameLeft), 0, Px(kFrameWidth), Px(heightTwips));
    f->hide();
    Frames[static_cast<size_t>(type)] = f;
    return f;
}

void Frm_Special::BuildCallFrames() {
    const int idX = 100, idW = 64, y1 = 22;
    auto* f1 = CallFrame(kCodeRequest, "Frame1", kFrameHeights[0]);
    Label3 = LabelAt(f1, "Label3", 8, Px(360), 90);
    txtOutstation = BoxAt(f1, "txtOutstation", idX, Px(360), idW, 5, "12345");
    Label4 = LabelAt(f1, "Label4", 180, Px(360), 100);
    cmbPine = ListAt(f1, "cmbPine", 284, Px(360), 50);
    cmbPineH = ListAt(f1, "cmbPineH", 340, Px(360), 76);

    auto* f2 = CallFrame(kAlarmQuery, "Frame2", kFrameHeights[1]);
    Label5 = LabelAt(f2, "Label5", 8, y1, 90);
    txtQuery = BoxAt(f2, "txtQuery", idX, y1, idW, 5, "12345");

    auto* f3 = CallFrame(kAlarmInstruction, "Frame3", kFrameHeights[2]);
    Label6 = LabelAt(f3, "Label6", 8, y1, 90);
    txtID3 = BoxAt(f3, "txtID3", idX, y1, idW, 5, "12345");
    Label7 = LabelAt(f3, "Label7", 180, y1, 100);
    cmbAlarmno = ListAt(f3, "cmbAlarmno", 284, y1, 56);

    auto* f4 = CallFrame(kPanicCall, "Frame4", kFrameHeights[3]);
    Label8 = LabelAt(f4, "Label8", 8, y1, 90);
    txtID4 = BoxAt(f4, "txtID4", idX, y1, idW, 5, "12345");
    Label9 = LabelAt(f4, "Label9", 180, y1, 100);
    cmbPanicno = ListAt(f4, "cmbPanicno", 284, y1, 56);

    auto* f5 = CallFrame(kEmergency, "Frame5", kFrameHeights[4]);
    Label10 = LabelAt(f5, "Label10", 8, y1, 140);
    cmbEmch = ListAt(f5, "cmbEmch", 150, y1, 90);

    auto* f6 = CallFrame(kNetworkCall, "Frame6", kFrameHeights[5]);
    Label15 = LabelAt(f6, "Label15", 8, y1 + 4, 90);
    txtMarnetId = BoxAt(f6, "txtMarnetId", idX, y1 + 4, idW, 5, "");

    auto* f7 = CallFrame(kOtherUser, "Frame7", kFrameHeights[6]);
    Label11 = LabelAt(f7, "Label11", 8, 20, 140);
    txtOtherId = BoxAt(f7, "txtOtherId", 150, 20, idW, 5, "12345");
    Label12 = LabelAt(f7, "Label12", 8, 48, 140);
    txtPerson = BoxAt(f7, "txtPerson", 150, 48, 150, kSpecialTextLimit, "");
    Label13 = LabelAt(f7, "Label13", 8, 76, 140);
    cmbCh2 = ListAt(f7, "cmbCh2", 150, 76, 90);
    chkDecReply = Make<QCheckBox>(f7, "chkDecReply");
    chkDecReply->setGeometry(8, 104, 300, 22);
    chkPreMessage = Make<QCheckBox>(f7, "chkPreMessage");
    chkPreMessage->setGeometry(8, 130, 300, 22);
    Label14 = LabelAt(f7, "Label14", 8, 158, 140);
    cmbMsgNum = ListAt(f7, "cmbMsgNum", 150, 158, 60);

    auto* f8 = CallFrame(kReceivedMessage, "Frame8", kFrameHeights[7]);
    Label16 = LabelAt(f8, "Label16", 8, Px(360), 90);
    txtRmsg = BoxAt(f8, "txtRmsg", idX, Px(360), 180, kSpecialTextLimit, "");

    // A "|" would split the 5-tone line into seven fields.
    for (QLineEdit* e : {txtPerson, txtRmsg})
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), e));
    for (QWidget* w : std::initializer_list<QWidget*>{txtOutstation, txtQuery, txtID3, txtID4, txtMarnetId,
                                                      txtOtherId, txtPerson, txtRmsg, chkPreMessage}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cmbPine, cmbPineH, cmbAlarmno, cmbPanicno, cmbEmch, cmbCh2})
        w->installEventFilter(this);
}

void Frm_Special::LoadLanguage() {
    const EditorData& d = d_;
    auto I = [&](int k) { return LangText(d, kInterface, k); };
    setWindowTitle(I(1));
    for (int k = 0; k < kSpecialTypeCount; ++k) cmbType->setItemText(k, I(2 + k));
    QWidget* targets[] = {FrameType, Label1,  Label2, Frames[0], Label3,  Label4,  Frames[1], Label5,
                          Frames[2], Label6,  Label7, Frames[3], Label8,  Label9,  Frames[4], Label10,
                          Frames[5], Label15, Frames[6], Label11, Label12, Label13, chkDecReply, chkPreMessage,
                          Label14,   Frames[7], Label16, FrameHelp};
    int k = 10;
    for (QWidget* w : targets) {
        QString text = I(k++);
        if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
        else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
        else if (auto* c = qobject_cast<QCheckBox*>(w)) c->setText(text);
    }
    for (int t = 1; t <= 13; ++t) tipText_[static_cast<size_t>(t)] = d.Lang.Text("Fspecial_Tip", t);
    for (int m = 1; m < kBadChoice; ++m) msg_[static_cast<size_t>(m)] = d.Lang.Text("Fspecial_Msg", m);
}

int Frm_Special::TopTwips(const QWidget* w) const { return w->geometry().top() * 15; }

void Frm_Special::cmbType_Click() {
    const int k = cmbType->currentIndex();
    for (QGroupBox* f : Frames) f->hide();
    if (k == kEmergency && !OwnIdAllowsEmergency(ownId_)) {
        Message(kOwnIdNoEmergency);
        cmbType->setCurrentIndex(kCodeRequest); // lays the dialog out again
        return;
    }
    if (k == kNetworkCall) Tip(11);
    int helpTop = TopTwips(FrameHelp);
    if (k >= 0 && k < kSpecialTypeCount) {
        const int top = kTypeTop + kTypeHeight + kGap;
        const int h = kFrameHeights[k];
        QGroupBox* f = Frames[static_cast<size_t>(k)];
        PlaceTwips(f, kFrameLeft, top, kFrameWidth, h);
        f->show();
        helpTop = top + h + kGap;
        FrameHelp->move(Px(kFrameLeft), Px(helpTop));
    }
    // The outer height counts four gaps below the help frame; the frame of the window takes three.
    windowHeightTwips_ = helpTop + kHelpHeight + 4 * kGap;
    setFixedSize(Px(kClientWidth), Px(helpTop + kHelpHeight + kGap));
}

SpecialCallEntry Frm_Special::Entry() const {
    SpecialCallEntry e;
    e.type = cmbType->currentIndex();
    e.line = Text(cmbChannel);
    e.ownId = ownId_;
    e.outstation = Text(txtOutstation);
    e.pin = Text(cmbPine);
    e.pinLevel = Text(cmbPineH);
    e.query = Text(txtQuery);
    e.id3 = Text(txtID3);
    e.alarmNo = Text(cmbAlarmno);
    e.id4 = Text(txtID4);
    e.panicNo = Text(cmbPanicno);
    e.emergencyChannel = Text(cmbEmch);
    e.marnetId = Text(txtMarnetId);
    e.otherId = Text(txtOtherId);
    e.person = Text(txtPerson);
    e.channel2 = Text(cmbCh2);
    e.decReply = chkDecReply->isChecked();
    e.preMessage = chkPreMessage->isChecked();
    e.msgNum = Text(cmbMsgNum);
    e.message = Text(txtRmsg);
    return e;
}

void Frm_Special::Command1_Click() {
    SpecialCallEntry e = Entry();
    SpecialCheck c = CheckSpecialCall(e);
    if (c.problem != kSpecialOk) {
        if (c.problem < kBadChoice) Message(c.problem);
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(c.control))) w->setFocus(Qt::OtherFocusReason);
        return;
    }
    InstallSpecialCall(d_, list_, e);
    closing_ = true;
    accept();
}

void Frm_Special::reject() {
    closing_ = true;
    QDialog::reject();
}

void Frm_Special::Tip(int k) { SpecialTip->setText(DisplayText(tipText_[static_cast<size_t>(k)])); }

void Frm_Special::Message(int k) { ui::MsgBox(DisplayText(msg_[static_cast<size_t>(k)]), ui::MsgButtons::Ok); }

// A refused ID is reported and emptied, and the box takes the focus back: the keys that follow
// are meant for it, not for the control the focus was going to.
void Frm_Special::IdLostFocus(QLineEdit* box) {
    int problem = CheckIdBox(box->objectName().toStdString(), Text(box));
    if (problem == kSpecialOk) return;
    checking_ = true;
    Message(problem);
    box->clear();
    checking_ = false;
    // Once the focus change that ran the check is over.
    QTimer::singleShot(0, this, [this, box] {
        if (!closing_ && box->isVisible()) box->setFocus(Qt::OtherFocusReason);
    });
}

bool Frm_Special::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        // OK checks every box itself, and Cancel keeps nothing.
        bool applies = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !closing_ &&
                       !checking_ && next != Command1 && next != Command2;
        for (QLineEdit* id : {txtOutstation, txtQuery, txtID3, txtID4, txtMarnetId, txtOtherId})
            if (watched == id && applies) IdLostFocus(id);
    } else if (type == QEvent::FocusIn) {
        if (watched == cmbChannel) Tip(1);
        else if (watched == cmbType) Tip(2);
        else if (watched == cmbPine) Tip(4);
        else if (watched == cmbPineH) Tip(5);
        else if (watched == cmbAlarmno || watched == cmbPanicno) Tip(8);
        else if (watched == cmbEmch) Tip(9);
        else if (watched == cmbCh2) SpecialTip->clear();
    } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == txtOutstation) Tip(3);
        else if (watched == txtQuery) Tip(6);
        else if (watched == txtID3 || watched == txtID4 || watched == txtOtherId) Tip(7);
        else if (watched == txtPerson) Tip(10);
        else if (watched == txtRmsg) Tip(12);
        else if (watched == chkPreMessage) Tip(13);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vt
