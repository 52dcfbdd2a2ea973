#include "editor/settings/ui/Frm_Farm.h"

#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/settings/core/FarmMarnetUpdate.h"
#include "editor/settings/ui/DroppedChannelsBox.h"
#include "editor/settings/ui/ToneDialogText.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/EditorData.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vt {

namespace {
using ui::Make;
const char* kInterface = "Ffarm_Interface";

QLineEdit* Box(QWidget* parent, const char* name, int maxLength) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setMaxLength(maxLength);
    e->setFixedWidth(90);
    return e;
}

struct BoxRow {
    QLabel* Frm_Farm::*label;
    const char* labelName;
    QLineEdit* Frm_Farm::*box;
    const char* boxName;
    int maxLength;
};

// Farmcall and Marnet are framed alike: the switch on top, then a label and a box a row; a
// line can part the rows.
QGroupBox* SettingFrame(Frm_Farm& d, const char* name, const char* title, QCheckBox* Frm_Farm::*check,
                        const char* checkName, std::initializer_list<BoxRow> rows, int lineBefore = -1) {
    auto* frame = Make<QGroupBox>(&d, name);
    frame->setTitle(QString::fromLatin1(title));
    auto* g = new QGridLayout(frame);
    d.*check = Make<QCheckBox>(frame, checkName);
    g->addWidget(d.*check, 0, 0, 1, 2);
    int row = 1, index = 0;
    for (const BoxRow& r : rows) {
        if (index++ == lineBefore) {
            auto* line = Make<QFrame>(frame, "Line1");
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            g->addWidget(line, row++, 0, 1, 2);
        }
        d.*r.label = Make<QLabel>(frame, r.labelName);
        d.*r.box = Box(frame, r.boxName, r.maxLength);
        g->addWidget(d.*r.label, row, 0);
        g->addWidget(d.*r.box, row++, 1);
    }
    return frame;
}
} // namespace

Frm_Farm::Frm_Farm(EditorData& data, QWidget* parent) : QDialog(parent), d_(data) {
    setObjectName(QStringLiteral("Frm_Farm"));
    ui::FitToScreen(this);
    setWindowTitle(QStringLiteral("Install Farmcall and Marnet"));
    DisabledColor = palette().color(QPalette::Disabled, QPalette::Text);
    EnabledColor = palette().color(QPalette::Active, QPalette::HighlightedText);
    Build();
    for (QLineEdit* b : {txtGroupID, txtPosition, txtFarmch, txtFarmFreq, txtMaxch, txtMarID}) SetBox(b, false);
    SetBox(txtSecFre, false);
    txtSecFre->hide();
    Label9->hide();
    LoadLanguage();
    // The stored settings, so that OK right away keeps them.
    if (auto s = FarmMarnetSettings::Parse(d_.FarmMarnetInfo())) Show(*s);
}

void Frm_Farm::Build() {
    auto* grid = new QGridLayout(this);
    Frame1 = SettingFrame(*this, "Frame1", "Farmcall", &Frm_Farm::ChkFarm, "ChkFarm",
                          {{&Frm_Farm::Label2, "Label2", &Frm_Farm::txtGroupID, "txtGroupID", 3},
                           {&Frm_Farm::Label3, "Label3", &Frm_Farm::txtPosition, "txtPosition", 2},
                           {&Frm_Farm::Label1, "Label1", &Frm_Farm::txtFarmch, "txtFarmch", 3},
                           {&Frm_Farm::Label5, "Label5", &Frm_Farm::txtFarmFreq, "txtFarmFreq", 9}},
                          2);
    Frame2 = SettingFrame(*this, "Frame2", "Marnet", &Frm_Farm::ChkMarnet, "ChkMarnet",
                          {{&Frm_Farm::Label6, "Label6", &Frm_Farm::txtMarID, "txtMarID", 5},
                           {&Frm_Farm::Label7, "Label7", &Frm_Farm::txtMaxch, "txtMaxch", 3}});

    auto* secRow = new QHBoxLayout();
    Label9 = Make<QLabel>(this, "Label9");
    txtSecFre = Box(this, "txtSecFre", 9);
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, txtSecFre}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
    }
    secRow->addWidget(Label9);
    secRow->addWidget(txtSecFre);
    secRow->addStretch();

    Frame3 = Make<QGroupBox>(this, "Frame3");
    Frame3->setTitle(QStringLiteral("Second Receiver"));
    auto* g3 = new QHBoxLayout(Frame3);
    Chk2Rec = Make<QCheckBox>(Frame3, "Chk2Rec");
    g3->addWidget(Chk2Rec);

    Frame4 = Make<QGroupBox>(this, "Frame4");
    Frame4->setTitle(QStringLiteral("Help"));
    auto* g4 = new QVBoxLayout(Frame4);
    FarmTip = Make<QLabel>(Frame4, "FarmTip");
    FarmTip->setWordWrap(true);
    FarmTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FarmTip->setAutoFillBackground(true);
    FarmTip->setBackgroundRole(QPalette::ToolTipBase);
    FarmTip->setForegroundRole(QPalette::ToolTipText);
    FarmTip->setFixedWidth(170);
    FarmTip->setMargin(4);
    g4->addWidget(FarmTip);

    CmdOk = Make<QPushButton>(this, "CmdOk");
    CmdOk->setText(QStringLiteral("OK"));
    CmdCancel = Make<QPushButton>(this, "CmdCancel");
    CmdCancel->setText(QStringLiteral("Cancel"));
    CmdOk->setAutoDefault(false);
    CmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(CmdOk);
    buttons->addWidget(CmdCancel);

    grid->addWidget(Frame1, 0, 0);
    grid->addWidget(Frame2, 1, 0);
    grid->addLayout(secRow, 2, 0);
    grid->addWidget(Frame3, 3, 0);
    grid->addWidget(Frame4, 0, 1, 4, 1);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(ChkFarm, &QCheckBox::toggled, this, &Frm_Farm::ChkFarm_Click);
    connect(ChkMarnet, &QCheckBox::toggled, this, &Frm_Farm::ChkMarnet_Click);
    connect(Chk2Rec, &QCheckBox::toggled, this, &Frm_Farm::Chk2Rec_Click);
    connect(CmdOk, &QPushButton::clicked, this, &Frm_Farm::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &Frm_Farm::reject);
    for (QWidget* w : std::initializer_list<QWidget*>{ChkFarm, ChkMarnet, Chk2Rec}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    for (QLineEdit* b : {txtGroupID, txtPosition, txtFarmch, txtFarmFreq, txtMarID, txtMaxch, txtSecFre})
        b->installEventFilter(this);
}

void Frm_Farm::LoadLanguage() {
    const EditorData& d = d_;
    auto I = [&](int k) { return LangText(d, kInterface, k); };
    FarmModeText = d.Lang.Text(kInterface, 11);
    MarnetModeText = d.Lang.Text(kInterface, 12);
    setWindowTitle(I(1));
    ChkFarm->setText(I(2));
    ChkMarnet->setText(I(3));
    Chk2Rec->setText(I(4));
    QLabel* labels[] = {Label1, Label2, Label3, Label5, Label6, Label7};
    for (int i = 0; i < 6; ++i) labels[i]->setText(I(5 + i));
    Label9->setText(DisplayText(FarmModeText));
    for (int k = 1; k <= 10; ++k) {
        FarmTipText[static_cast<size_t>(k)] = d.Lang.Text("Ffarm_Tip", k);
        if (k == 5 || k == 7) FarmTipText[static_cast<size_t>(k)] += d.BandRangeText;
    }
    // Message k serves check code -k; there is no code -7, so the file's entries skip it.
    for (int k = 1; k <= 15; ++k)
        if (int entry = FarmMessageEntry(-k)) FarmMsg[static_cast<size_t>(k)] = d.Lang.Text("Ffarm_Msg", entry);
}

void Frm_Farm::Show(const FarmMarnetSettings& s) {
    txtGroupID->setText(QString::fromStdString(s.groupId));
    txtPosition->setText(QString::fromStdString(s.position));
    txtFarmch->setText(QString::fromStdString(s.farmChannel));
    txtFarmFreq->setText(QString::fromStdString(s.farmFreq));
    txtMarID->setText(QString::fromStdString(s.marnetId));
    txtMaxch->setText(QString::fromStdString(s.maxChannels));
    txtSecFre->setText(QString::fromStdString(s.secFreq));
    ChkFarm->setChecked(s.farm);
    ChkMarnet->setChecked(s.marnet);
    // The stored switch is kept as it is; only the box follows it as the handler would.
    const QSignalBlocker block(Chk2Rec);
    Chk2Rec->setChecked(s.secondRx);
    if (s.farm && !s.marnet) SetBox(txtSecFre, s.secondRx);
}

FarmMarnetSettings Frm_Farm::Settings() const {
    auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    FarmMarnetSettings s;
    s.farm = ChkFarm->isChecked();
    s.groupId = t(txtGroupID);
    s.position = t(txtPosition);
    s.farmChannel = t(txtFarmch);
    s.farmFreq = t(txtFarmFreq);
    s.marnet = ChkMarnet->isChecked();
    s.marnetId = t(txtMarID);
    s.maxChannels = t(txtMaxch);
    s.secondRx = Chk2Rec->isChecked();
    s.secFreq = t(txtSecFre);
    return s;
}

void Frm_Farm::SetBox(QLineEdit* box, bool enabled) {
    box->setEnabled(enabled);
    QPalette p = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, enabled ? EnabledColor : DisabledColor);
    box->setPalette(p);
}

void Frm_Farm::ChkFarm_Click() {
    const bool on = ChkFarm->isChecked();
    for (QLineEdit* b : {txtGroupID, txtPosition, txtFarmch, txtFarmFreq}) SetBox(b, on);
    if (on) {
        txtSecFre->show();
    } else if (!ChkMarnet->isChecked()) {
        txtSecFre->hide();
        SetBox(txtSecFre, false);
        Chk2Rec->setChecked(false);
    }
    UpdateFarmModeLabel();
}

void Frm_Farm::ChkMarnet_Click() {
    const bool on = ChkMarnet->isChecked();
    SetBox(txtMaxch, on);
    SetBox(txtMarID, on);
    if (on) {
        txtSecFre->show();
        SetBox(txtSecFre, true);
    } else if (!ChkFarm->isChecked()) {
        txtSecFre->hide();
        SetBox(txtSecFre, false);
        Chk2Rec->setChecked(false);
    }
    UpdateFarmModeLabel();
}

void Frm_Farm::Chk2Rec_Click() {
    if (!ChkMarnet->isChecked() && !ChkFarm->isChecked()) {
        const QSignalBlocker block(Chk2Rec);
        Chk2Rec->setChecked(false);
        ShowTip(3);
    } else if (ChkFarm->isChecked() && !ChkMarnet->isChecked()) {
        SetBox(txtSecFre, Chk2Rec->isChecked());
    }
}

void Frm_Farm::UpdateFarmModeLabel() {
    const bool farm = ChkFarm->isChecked(), marnet = ChkMarnet->isChecked();
    Label9->setVisible(farm || marnet);
    if (farm || marnet) Label9->setText(DisplayText(marnet ? MarnetModeText : FarmModeText));
}

void Frm_Farm::ShowTip(int k) { FarmTip->setText(DisplayText(FarmTipText[static_cast<size_t>(k)])); }

int Frm_Farm::CheckFreq(const std::string& sFreq) const { return vt::CheckFreq(d_, sFreq); }

int Frm_Farm::Check() const { return CheckFarmSettings(Settings(), d_); }

void Frm_Farm::CmdOk_Click() {
    int code = Check();
    if (code < 1) {
        ui::MsgBox(DisplayText(FarmMsg[static_cast<size_t>(-code)]), ui::MsgButtons::Ok);
        return;
    }
    FarmTip->setText(QStringLiteral("ok"));
    EditorData& d = d_;
    d.SetFarmMarnetInfo(Settings().Join());
    const std::vector<DroppedChannel> dropped = UpdateFarmInfo(d_);
    d.MarkModified();
    closing_ = true;
    accept();
    ShowDroppedChannels(d_, dropped, parentWidget());
}

void Frm_Farm::reject() {
    closing_ = true;
    QDialog::reject();
}

void Frm_Farm::BoxLostFocus(QLineEdit* box) {
    static const std::pair<QLineEdit* Frm_Farm::*, FarmBox> kinds[] = {
        {&Frm_Farm::txtGroupID, kGroupIdBox},   {&Frm_Farm::txtPosition, kPositionBox},
        {&Frm_Farm::txtFarmch, kFarmChannelBox}, {&Frm_Farm::txtFarmFreq, kFarmFreqBox},
        {&Frm_Farm::txtMarID, kMarnetIdBox},     {&Frm_Farm::txtMaxch, kMaxChannelsBox},
        {&Frm_Farm::txtSecFre, kSecFreqBox}};
    for (const auto& [member, kind] : kinds) {
        if (this->*member != box) continue;
        FarmBoxVerdict v = CheckFarmBox(kind, box->text().toStdString(), d_);
        if (v.tip) ShowTip(v.tip);
        if (!v.keep) box->clear();
    }
}

bool Frm_Farm::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        // OK checks the entries itself; Cancel keeps nothing.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !closing_ && next != CmdOk &&
            next != CmdCancel)
            if (auto* box = qobject_cast<QLineEdit*>(watched)) BoxLostFocus(box);
    } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == ChkFarm) ShowTip(1);
        else if (watched == ChkMarnet) ShowTip(2);
        else if (watched == Chk2Rec) ShowTip(3);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vt
