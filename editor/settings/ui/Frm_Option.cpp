#include "editor/settings/ui/Frm_Option.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/settings/core/OptionLists.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/DroppedChannelsBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vt {

namespace {
template <size_t N>
void FillList(QComboBox* box, const std::array<std::string_view, N>& items) {
    for (std::string_view s : items) box->addItem(QString::fromUtf8(s.data(), static_cast<int>(s.size())));
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr std::array<int, kKeyCount> kKeyFields = {kOptComboF1, kOptComboF2, kOptComboF3, kOptComboF4};
} // namespace

Frm_Option::Frm_Option(EditorData& data, QWidget* parent) : QDialog(parent), d_(data) {
    setObjectName("Frm_Option");
    ui::FitToScreen(this);
    setWindowTitle("Radio Option");
    BuildControls();
    BuildLayout();
    ConnectHandlers();

    // Load: the lists start on their designer items, the number boxes of the keys disabled.
    // The messages are needed already while the record is applied (a stored value can be refused).
    pending_.fill(false);
    LoadMessages();
    const std::string& option = d_.RadioOption();
    if (auto rec = RadioOptionRecord::Parse(option)) {
        carriedChannel_ = (*rec)[kOptDefaultChannel];
        carriedArea_ = (*rec)[kOptDefaultArea];
        SetAllItem(option);
    }
    // A record of another length leaves the designer state: there is nothing safe to read.
    LoadLanguage();
    OptionEditError = 0;
}

namespace {
using ui::Make;

template <class W> struct Captioned {
    W* Frm_Option::*control;
    const char* name;
    const char* caption;
};
struct NumberBox {
    QLineEdit* Frm_Option::*control;
    const char* name;
    int field;
    int maxLength; // 0: as long as typed
};
struct CheckBox {
    QCheckBox* Frm_Option::*control;
    const char* name;
    int field;
    const char* caption;
};
struct ListBox {
    QComboBox* Frm_Option::*control;
    const char* name;
    int field;
};

using O = Frm_Option;
constexpr Captioned<QGroupBox> kGroups[] = {
    {&O::Channels, "Channels", "Channels"},
    {&O::Frame2, "Frame2", "Scanning"},
    {&O::Frame3, "Frame3", "Trunking"},
    {&O::Frame1, "Frame1", "Transmit times"},
    {&O::Frame4, "Frame4", "Function Keys F1 to F4 (Top Keys)"},
    {&O::Frame5, "Frame5", "Alarm In Pin Function (Trig in)"},
    {&O::Frame6, "Frame6", "Operation Allow Function"},
};
constexpr Captioned<QLabel> kLabels[] = {
    {&O::lbNa, "lbNa", "Number of Areas:"},
    {&O::lbCIA, "lbCIA", "Channels in each Area:"},
    {&O::lbFs, "lbFs", "Force Scan:"},
    {&O::lbAss, "lbAss", "Allow set scan"},
    {&O::lbstc, "lbstc", "Scan time on Channel:"},
    {&O::lbRst, "lbRst", "Resume scan time:"},
    {&O::lbBonc, "lbBonc", "Beep on scan channel found:"},
    {&O::Label9, "Label9", "Repeater access time:"},
    {&O::Label11, "Label11", "Search round:"},
    {&O::Label1, "Label1", "Call Preamble time:"},
    {&O::Label3, "Label3", "PTT time out (total):"},
    {&O::Label5, "Label5", "PTT to leading ANI:"},
    {&O::Label7, "Label7", "Wait to answer back:"},
    {&O::Label16, "Label16", "Function:"},
    {&O::Label12, "Label12", "F3 (Menu):"},
    {&O::Label13, "Label13", "F2 (Call):"},
    {&O::Label14, "Label14", "F3 (ACS):"},
    {&O::Label15, "Label15", "F1 (Emergency):"},
    {&O::Label17, "Label17", "Allow Mute to be changed:"},
    {&O::Label18, "Label18", "Allow Area to be changed:"},
    {&O::Label19, "Label19", "Allow Volume to be changed:"},
    {&O::Label20, "Label20", "Allow Call to be selected:"},
    {&O::Label21, "Label21", "Allow Channel to be changed:"},
    {&O::Label22, "Label22", "Allow Nuisance channel deletion"},
    {&O::Label23, "Label23", "Allow Monitor key:"},
    {&O::Label31, "Label31", "Use the last channel found:"},
    {&O::Label32, "Label32", "5 Tone mute is automatic:"},
    {&O::Label33, "Label33", "Head Dial Selects:"},
    {&O::Label34, "Label34", "CTCSS Decode sensitivity is:"},
};
constexpr NumberBox kNumbers[] = {
    {&O::TxtNumberArea, "TxtNumberArea", kOptNumberArea, 0},
    {&O::TxtChInArea, "TxtChInArea", kOptChInArea, 0},
    {&O::TxtScanTCh, "TxtScanTCh", kOptScanTCh, 3},
    {&O::TxtResumeSTime, "TxtResumeSTime", kOptResumeSTime, 2},
    {&O::TxtCallPtime, "TxtCallPtime", kOptCallPtime, 4},
    {&O::TxtPTTTimeout, "TxtPTTTimeout", kOptPTTTimeout, 3},
    {&O::TxtPTTLANI, "TxtPTTLANI", kOptPTTLANI, 4},
    {&O::TxtWaitAnswer, "TxtWaitAnswer", kOptWaitAnswer, 4},
    {&O::TxtRepeater, "TxtRepeater", kOptRepeater, 4},
    {&O::TxtRound, "TxtRound", kOptRound, 1},
    {&O::TxtF1, "TxtF1", kOptTxtF1, 0},
    {&O::TxtF2, "TxtF2", kOptTxtF2, 0},
    {&O::TxtF3, "TxtF3", kOptTxtF3, 0},
    {&O::TxtF4, "TxtF4", kOptTxtF4, 0},
    {&O::TxtFunction, "TxtFunction", kOptTxtFunction, 0},
};
constexpr CheckBox kChecks[] = {
    {&O::ChkFSon, "ChkFSon", kOptFSon, "ON"},
    {&O::ChkFSoff, "ChkFSoff", kOptFSoff, "OFF"},
    {&O::ChkAScan, "ChkAScan", kOptAScan, ""},
    {&O::ChkBeep, "ChkBeep", kOptBeep, ""},
    {&O::ChkMutechange, "ChkMutechange", kOptMutechange, ""},
    {&O::ChkAreachange, "ChkAreachange", kOptAreachange, ""},
    {&O::ChkVolumechange, "ChkVolumechange", kOptVolumechange, ""},
    {&O::ChkCallselect, "ChkCallselect", kOptCallselect, ""},
    {&O::ChkChannelchange, "ChkChannelchange", kOptChannelchange, ""},
    {&O::ChkNuisancedelete, "ChkNuisancedelete", kOptNuisancedelete, ""},
    {&O::ChkMonitorkey, "ChkMonitorkey", kOptMonitorkey, ""},
    {&O::ChkUselast, "ChkUselast", kOptUselast, ""},
    {&O::Chk5Toneauto, "Chk5Toneauto", kOpt5Toneauto, ""},
};
constexpr ListBox kLists[] = {
    {&O::ComboF1, "ComboF1", kOptComboF1},
    {&O::ComboF2, "ComboF2", kOptComboF2},
    {&O::ComboF3, "ComboF3", kOptComboF3},
    {&O::ComboF4, "ComboF4", kOptComboF4},
    {&O::ComboFunction, "ComboFunction", kOptComboFunction},
    {&O::ComboHeadDial, "ComboHeadDial", kOptHeadDial},
    {&O::ComboCTsen, "ComboCTsen", kOptCTsen},
    {&O::ComboVolume, "ComboVolume", kOptVolume},
    {&O::ComboMuteChange, "ComboMuteChange", kOptMuteChange},
};

// One line of a group: a caption, its control, and in the third column a second control or the
// unit of a number.
struct GridRow {
    QWidget* label;
    QWidget* box;
    QWidget* extra = nullptr;
    const char* unit = nullptr;
};

QGridLayout* Grid(QGroupBox* g) {
    auto* l = new QGridLayout(g);
    l->setHorizontalSpacing(8);
    l->setVerticalSpacing(4);
    l->setColumnStretch(0, 1);
    l->setColumnMinimumWidth(2, 24); // the unit column, so boxes line up across groups
    return l;
}

void AddRows(QWidget* dialog, QGridLayout* g, int row, std::initializer_list<GridRow> rows) {
    for (const GridRow& r : rows) {
        g->addWidget(r.label, row, 0);
        g->addWidget(r.box, row, 1);
        if (r.extra) g->addWidget(r.extra, row, 2);
        if (r.unit) g->addWidget(new QLabel(r.unit, dialog), row, 2);
        ++row;
    }
}
// The lists start on their designer items, the number boxes of the keys disabled.
void FillLists(Frm_Option& d) {
    FillList(d.ComboF1, OptionLists::ComboF1);
    FillList(d.ComboF2, OptionLists::ComboF2);
    FillList(d.ComboF3, OptionLists::ComboF3);
    FillList(d.ComboF4, OptionLists::ComboF4);
    d.ComboF1->setCurrentIndex(OptionLists::kKeyMenu);
    d.ComboF2->setCurrentIndex(OptionLists::kKeyNone);
    d.ComboF3->setCurrentIndex(OptionLists::kKeyNone);
    d.ComboF4->setCurrentIndex(OptionLists::kKeyEmergency);
    FillList(d.ComboFunction, OptionLists::ComboFunction);
    FillList(d.ComboHeadDial, OptionLists::ComboHeadDial);
    FillList(d.ComboCTsen, OptionLists::ComboCTsen);
    for (int i = 1; i <= OptionLists::kLevelCount; ++i) {
        d.ComboVolume->addItem(QString::number(i));
        d.ComboMuteChange->addItem(QString::number(i));
    }
    for (QComboBox* c : {d.ComboFunction, d.ComboHeadDial, d.ComboCTsen, d.ComboVolume, d.ComboMuteChange})
        c->setCurrentIndex(0);
    d.ComboVolume->hide();
    d.ComboMuteChange->hide();
    for (QLineEdit* t : {d.TxtF1, d.TxtF2, d.TxtF3, d.TxtF4, d.TxtFunction}) t->setEnabled(false);
}
} // namespace

void Frm_Option::BuildControls() {
    for (const auto& g : kGroups) (this->*g.control = Make<QGroupBox>(this, g.name))->setTitle(g.caption);
    for (const auto& l : kLabels) (this->*l.control = Make<QLabel>(this, l.name))->setText(l.caption);
    for (const NumberBox& n : kNumbers) {
        QLineEdit* box = this->*n.control = Make<QLineEdit>(this, n.name);
        if (n.maxLength > 0) box->setMaxLength(n.maxLength);
        box->setFixedWidth(56);
        box->setText(OptionSpec(n.field).designer);
        fieldControl_[static_cast<size_t>(n.field)] = box;
        numberField_[box] = n.field;
    }
    for (const CheckBox& c : kChecks) {
        QCheckBox* box = this->*c.control = Make<QCheckBox>(this, c.name);
        box->setText(c.caption);
        box->setChecked(std::string(OptionSpec(c.field).designer) == "1");
        fieldControl_[static_cast<size_t>(c.field)] = box;
    }
    for (const ListBox& c : kLists) {
        QComboBox* box = this->*c.control = Make<QComboBox>(this, c.name);
        box->setEditable(false); // typed text would break the record
        fieldControl_[static_cast<size_t>(c.field)] = box;
    }
    FillLists(*this);

    CommandOK = new QPushButton("O K", this);
    CommandOK->setObjectName("CommandOK");
    CommandOK->setDefault(true);
    CommandCANCEL = new QPushButton("Cancel", this);
    CommandCANCEL->setObjectName("CommandCANCEL");
    CommandDefault = new QPushButton("Defaults", this);
    CommandDefault->setObjectName("CommandDefault");
}

void Frm_Option::BuildLayout() {
    AddRows(this, Grid(Channels), 0, {{lbNa, TxtNumberArea}, {lbCIA, TxtChInArea}});

    QGridLayout* g = Grid(Frame2);
    auto* fs = new QHBoxLayout;
    fs->addWidget(ChkFSon);
    fs->addWidget(ChkFSoff);
    g->addWidget(lbFs, 0, 0);
    g->addLayout(fs, 0, 1, 1, 2);
    AddRows(this, g, 1,
            {{lbAss, ChkAScan}, {lbstc, TxtScanTCh, nullptr, "ms"}, {lbRst, TxtResumeSTime, nullptr, "s"},
             {lbBonc, ChkBeep}});

    AddRows(this, Grid(Frame3), 0, {{Label9, TxtRepeater, nullptr, "ms"}, {Label11, TxtRound}});
    AddRows(this, Grid(Frame1), 0,
            {{Label1, TxtCallPtime, nullptr, "ms"}, {Label3, TxtPTTTimeout, nullptr, "s"},
             {Label5, TxtPTTLANI, nullptr, "ms"}, {Label7, TxtWaitAnswer, nullptr, "ms"}});
    AddRows(this, Grid(Frame4), 0,
            {{Label15, ComboF4, TxtF4},
             {Label13, ComboF2, TxtF2},
             {Label12, ComboF1, TxtF1},
             {Label14, ComboF3, TxtF3}});
    // The fourth key row is kept in the record but never shown.
    for (QWidget* w : {static_cast<QWidget*>(Label14), static_cast<QWidget*>(ComboF3), static_cast<QWidget*>(TxtF3)})
        w->hide();
    AddRows(this, Grid(Frame5), 0, {{Label16, ComboFunction, TxtFunction}});

    g = Grid(Frame6);
    AddRows(this, g, 0,
            {{Label17, ChkMutechange, ComboMuteChange},
             {Label18, ChkAreachange},
             {Label19, ChkVolumechange, ComboVolume},
             {Label20, ChkCallselect},
             {Label21, ChkChannelchange},
             {Label22, ChkNuisancedelete},
             {Label23, ChkMonitorkey},
             {Label31, ChkUselast},
             {Label32, Chk5Toneauto},
             {Label33, ComboHeadDial},
             {Label34, ComboCTsen}});
    g->setColumnMinimumWidth(2, 56);

    auto* left = new QVBoxLayout;
    for (QGroupBox* b : {Channels, Frame2, Frame3, Frame1}) left->addWidget(b);
    left->addStretch();
    auto* right = new QVBoxLayout;
    for (QGroupBox* b : {Frame4, Frame5, Frame6}) right->addWidget(b);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {CommandOK, CommandCANCEL, CommandDefault}) {
        b->setMinimumWidth(80);
        buttons->addWidget(b);
    }
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

void Frm_Option::ConnectHandlers() {
    for (auto [box, field] : numberField_) {
        const int f = field;
        if (OptionSpec(f).check == CheckTime::Change) {
            connect(box, &QLineEdit::textChanged, this, [this, f] { CheckNumber(f); });
        } else {
            connect(box, &QLineEdit::textChanged, this, [this, f] { pending_[static_cast<size_t>(f)] = true; });
            box->installEventFilter(this);
        }
    }
    // Only the user's picks run the key handlers; lists set by code are handled where they are set.
    const std::array<QComboBox*, kKeyCount> keys = {ComboF1, ComboF2, ComboF3, ComboF4};
    for (int k = 0; k < kKeyCount; ++k)
        connect(keys[static_cast<size_t>(k)], &QComboBox::activated, this, [this, k] { KeyChosen(k); });
    connect(ComboFunction, &QComboBox::activated, this, [this] { ComboFunction_Click(); });
    connect(ChkFSon, &QCheckBox::toggled, this, [this] { ChkFSon_Click(); });
    connect(ChkFSoff, &QCheckBox::toggled, this, [this] { ChkFSoff_Click(); });
    // Hiding a level list keeps its level.
    connect(ChkMutechange, &QCheckBox::toggled, ComboMuteChange, &QWidget::setHidden);
    connect(ChkVolumechange, &QCheckBox::toggled, ComboVolume, &QWidget::setHidden);
    connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    connect(CommandCANCEL, &QPushButton::clicked, this, [this] { CommandCANCEL_Click(); });
    connect(CommandDefault, &QPushButton::clicked, this, [this] { CommandDefault_Click(); });
}

bool Frm_Option::eventFilter(QObject* watched, QEvent* event) {
    auto it = numberField_.find(static_cast<QLineEdit*>(watched));
    if (it == numberField_.end()) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) focusedBox_ = it->first;
    if (event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the window (another program, a popup) is not leaving the box; and a box that
        // a refused neighbour took the focus back from before it arrived was never entered.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && focusedBox_ == it->first) {
            focusedBox_ = nullptr;
            CheckNumber(it->second, true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

int Frm_Option::AreasNow() const {
    auto v = ToInt16(TxtNumberArea->text().toStdString());
    return v && *v >= 1 ? *v : 1;
}

bool Frm_Option::CheckNumber(int field, bool messageLater) {
    auto* box = static_cast<QLineEdit*>(fieldControl_[static_cast<size_t>(field)]);
    const OptionFieldSpec& rule = OptionSpec(field);
    const std::string text = box->text().toStdString();
    const int max = field == kOptChInArea ? MaxChannelsPerArea(AreasNow()) : rule.max;
    if (!IsNumeric(text)) {
        Refuse(field, OptionMsg[1], messageLater);
        return false;
    }
    if (!CheckRange(text, rule.min, max)) {
        Refuse(field, OptionMsg[2] + Q(RangeText(field)), messageLater);
        return false;
    }
    if (rule.check == CheckTime::Leave) {
        OptionEditError = 0;
        box->setText(Q(IntText(RoundDownToStep(text, rule.step))));
        pending_[static_cast<size_t>(field)] = false;
    }
    if (field == kOptNumberArea) TxtChInArea->setText(Q(IntText(MaxChannelsPerArea(*ToInt16(text)))));
    return true;
}

std::string Frm_Option::RangeText(int field) const {
    return field == kOptChInArea ? ChannelsRangeText(AreasNow()) : OptionSpec(field).rangeText;
}

void Frm_Option::Refuse(int field, const QString& message, bool messageLater) {
    auto* box = static_cast<QLineEdit*>(fieldControl_[static_cast<size_t>(field)]);
    const OptionFieldSpec& rule = OptionSpec(field);
    const bool leave = rule.check == CheckTime::Leave;
    if (messageLater) {
        QPointer<Frm_Option> self(this);
        // The box's own focus-out handling drops the selection: select again afterwards.
        QTimer::singleShot(0, this, [self, box, message] {
            if (!self) return;
            box->selectAll();
            ui::MsgBox(message, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), self);
        });
    } else {
        ui::MsgBox(message, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    }
    box->setText(rule.reset); // a change box checks this again and accepts it
    box->selectAll();
    if (leave) {
        OptionEditError = 1;
        pending_[static_cast<size_t>(field)] = false;
    }
    const bool focusBack = leave || (field != kOptNumberArea && field != kOptChInArea);
    if (focusBack && isVisible()) box->setFocus(Qt::OtherFocusReason);
}

bool Frm_Option::RunPendingChecks() {
    for (int f = 0; f < kOptionFieldCount; ++f)
        if (pending_[static_cast<size_t>(f)] && !CheckNumber(f)) return false;
    return true;
}

void Frm_Option::ApplyField(int field, const std::string& value) {
    const OptionFieldSpec& rule = OptionSpec(field);
    QWidget* w = fieldControl_[static_cast<size_t>(field)];
    switch (rule.kind) {
    case OptionKind::Number: {
        auto* box = static_cast<QLineEdit*>(w);
        std::string text = value;
        if (box->maxLength() < static_cast<int>(text.size())) text = CanonicalNumber(text);
        // The box would cut a longer value to a different number; such a value is out of range.
        if (box->maxLength() < static_cast<int>(text.size())) {
            ui::MsgBox(OptionMsg[2] + Q(RangeText(field)), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
            text = rule.reset;
        }
        box->setText(Q(text));
        break;
    }
    case OptionKind::Check:
        static_cast<QCheckBox*>(w)->setChecked((value == "0" || value == "1" ? value : std::string(rule.def)) == "1");
        break;
    case OptionKind::Index: {
        // A decoded file can hold any number here; outside the list means the field's default.
        auto v = ToWhole(value);
        int index = v && *v >= rule.min && *v <= rule.max ? static_cast<int>(*v) : *ToWhole(rule.def);
        static_cast<QComboBox*>(w)->setCurrentIndex(index);
        break;
    }
    case OptionKind::ItemText: {
        auto* c = static_cast<QComboBox*>(w);
        int index = c->findText(Q(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
        c->setCurrentIndex(index >= 0 ? index : c->findText(rule.def));
        break;
    }
    case OptionKind::Default: break;
    }
}

std::string Frm_Option::FieldValue(int field) const {
    QWidget* w = fieldControl_[static_cast<size_t>(field)];
    switch (OptionSpec(field).kind) {
    case OptionKind::Number: return CanonicalNumber(static_cast<QLineEdit*>(w)->text().toStdString());
    case OptionKind::Check: return static_cast<QCheckBox*>(w)->isChecked() ? "1" : "0";
    case OptionKind::Index: return IntText(static_cast<QComboBox*>(w)->currentIndex());
    case OptionKind::ItemText: return static_cast<QComboBox*>(w)->currentText().toStdString();
    case OptionKind::Default: break;
    }
    return "";
}

void Frm_Option::SetAllItem(const std::string& str) {
    OptionWork = str;
    auto rec = RadioOptionRecord::Parse(str);
    if (!rec) return;
    for (int field = 0; field < kOptionFieldCount; ++field) {
        if (field == kOptDefaultChannel || field == kOptDefaultArea) continue;
        ApplyField(field, (*rec)[field]);
        // A stored choice has the same effect as the user's (in field order, so the last
        // ACS or TRUNK key decides).
        for (int k = 0; k < kKeyCount; ++k)
            if (kKeyFields[static_cast<size_t>(k)] == field) KeyChosen(k);
        if (field == kOptComboFunction) ComboFunction_Click();
    }
}

KeyState Frm_Option::CurrentKeys() const {
    const std::array<QComboBox*, kKeyCount> lists = {ComboF1, ComboF2, ComboF3, ComboF4};
    const std::array<QLineEdit*, kKeyCount> boxes = {TxtF1, TxtF2, TxtF3, TxtF4};
    KeyState s;
    for (size_t k = 0; k < kKeyCount; ++k) {
        s.item[k] = lists[k]->currentIndex();
        s.numberEnabled[k] = boxes[k]->isEnabled();
    }
    return s;
}

void Frm_Option::KeyChosen(int key) {
    const std::array<QComboBox*, kKeyCount> lists = {ComboF1, ComboF2, ComboF3, ComboF4};
    const std::array<QLineEdit*, kKeyCount> boxes = {TxtF1, TxtF2, TxtF3, TxtF4};
    KeyState s = ChooseKey(CurrentKeys(), key, lists[static_cast<size_t>(key)]->currentIndex());
    for (size_t k = 0; k < kKeyCount; ++k) {
        lists[k]->setCurrentIndex(s.item[k]);
        boxes[k]->setEnabled(s.numberEnabled[k]);
    }
    if (s.mode) {
        Frame3->setTitle(Q(TrunkFrameCaption(*s.mode)));
        Label11->setText(Q(SearchRoundCaption(*s.mode)));
    }
}

void Frm_Option::ComboFunction_Click() { TxtFunction->setEnabled(AlarmNumberEnabled(ComboFunction->currentIndex())); }

void Frm_Option::ChkFSon_Click() {
    if (ChkFSon->isChecked() && ChkFSoff->isChecked()) ChkFSoff->setChecked(false);
}

void Frm_Option::ChkFSoff_Click() {
    if (ChkFSon->isChecked() && ChkFSoff->isChecked()) ChkFSon->setChecked(false);
}

void Frm_Option::CommandOK_Click() {
    // Enter on the default button does not leave the box being typed in: check it here.
    if (!RunPendingChecks() || OptionEditError == 1) return;
    RadioOptionRecord rec;
    for (int field = 0; field < kOptionFieldCount; ++field)
        if (field != kOptDefaultChannel && field != kOptDefaultArea) rec[field] = FieldValue(field);
    // The default channel and area belong to the write dialog; keep them inside the new counts.
    rec[kOptDefaultChannel] = CarriedDefaultIndex(carriedChannel_, rec.Areas() * rec.ChannelsPerArea());
    rec[kOptDefaultArea] = CarriedDefaultIndex(carriedArea_, rec.Areas());
    OptionWork = rec.Join();
    d_.SetRadioOption(OptionWork);
    accept();
    UpdateScan(d_);
    const std::vector<DroppedChannel> dropped = AdjustArea_Marnet(d_);
    ValidateP(d_);
    ValidateT(d_);
    UpdateAreaNo(d_);
    d_.MarkModified(); // an OK counts as an edit, even with nothing changed
    ShowDroppedChannels(d_, dropped, parentWidget());
}

void Frm_Option::CommandCANCEL_Click() {
    if (OptionEditError == 1) return;
    reject();
}

void Frm_Option::CommandDefault_Click() {
    auto answer = ui::MsgBox(OptionMsg[3], ui::MsgButtons::OkCancel, ui::MsgIcon::Question, QString(), this);
    if (answer == ui::MsgResult::Ok && OptionEditError == 0) SetAllItem(GetDefaultSetup());
}

void Frm_Option::LoadMessages() {
    for (int i = 1; i <= 3; ++i) OptionMsg[static_cast<size_t>(i)] = Q(d_.Lang.Text("Foption_Msg", i));
}

void Frm_Option::LoadLanguage() {
    const LanguageTexts& lang = d_.Lang;
    LoadMessages();
    auto text = [&lang](int i) { return Q(lang.Text("Foption_Interface", i)); };
    setWindowTitle(text(1));
    CommandDefault->setText(text(2));
    std::array<QGroupBox*, 40> groups{};
    groups[3] = Channels;
    groups[6] = Frame2;
    groups[12] = Frame3;
    groups[15] = Frame1;
    groups[20] = Frame5;
    groups[22] = Frame4;
    groups[27] = Frame6;
    const std::array<QLabel*, 40> labels = {
        nullptr, nullptr, nullptr, nullptr, lbNa,    lbCIA,   nullptr, lbFs,    lbAss,   lbstc,
        lbRst,   lbBonc,  nullptr, Label9,  Label11, nullptr, Label1,  Label3,  Label5,  Label7,
        nullptr, Label16, nullptr, Label12, Label13, Label14, Label15, nullptr, Label17, Label18,
        Label19, Label20, Label21, Label22, Label23, Label31, Label32, Label33, Label34, nullptr};
    for (int i = 3; i <= 38; ++i) {
        if (groups[static_cast<size_t>(i)]) groups[static_cast<size_t>(i)]->setTitle(text(i));
        if (labels[static_cast<size_t>(i)]) labels[static_cast<size_t>(i)]->setText(text(i));
    }
}

} // namespace vt
