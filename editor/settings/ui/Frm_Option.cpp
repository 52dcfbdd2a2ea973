#include "editor/settings/ui/Frm_Option.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "editor/settings/core/OptionLists.h"
#include "editor/settings/core/RadioOptionRecord.h"
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

#include <tuple>

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

void Frm_Option::BuildControls() {
    auto group = [this](const char* name, const char* caption) {
        auto* g = new QGroupBox(caption, this);
        g->setObjectName(name);
        return g;
    };
    auto label = [this](const char* name, const char* caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto number = [this](QLineEdit*& box, const char* name, int field, int maxLength) {
        box = new QLineEdit(this);
        box->setObjectName(name);
        if (maxLength > 0) box->setMaxLength(maxLength);
        box->setFixedWidth(56);
        box->setText(OptionSpec(field).designer);
        fieldControl_[static_cast<size_t>(field)] = box;
        numberField_[box] = field;
    };
    auto check = [this](QCheckBox*& box, const char* name, int field, const char* caption = "") {
        box = new QCheckBox(caption, this);
        box->setObjectName(name);
        box->setChecked(std::string(OptionSpec(field).designer) == "1");
        fieldControl_[static_cast<size_t>(field)] = box;
    };
    auto combo = [this](QComboBox*& box, const char* name, int field) {
        box = new QComboBox(this);
        box->setObjectName(name);
        box->setEditable(false); // typed text would break the record
        fieldControl_[static_cast<size_t>(field)] = box;
    };

    Channels = group("Channels", "Channels");
    Frame2 = group("Frame2", "Scanning");
    Frame3 = group("Frame3", "Trunking");
    Frame1 = group("Frame1", "Transmit times");
    Frame4 = group("Frame4", "Function Keys F1 to F4 (Top Keys)");
    Frame5 = group("Frame5", "Alarm In Pin Function (Trig in)");
    Frame6 = group("Frame6", "Operation Allow Function");

    lbNa = label("lbNa", "Number of Areas:");
    lbCIA = label("lbCIA", "Channels in each Area:");
    lbFs = label("lbFs", "Force Scan:");
    lbAss = label("lbAss", "Allow set scan");
    lbstc = label("lbstc", "Scan time on Channel:");
    lbRst = label("lbRst", "Resume scan time:");
    lbBonc = label("lbBonc", "Beep on scan channel found:");
    Label9 = label("Label9", "Repeater access time:");
    Label11 = label("Label11", "Search round:");
    Label1 = label("Label1", "Call Preamble time:");
    Label3 = label("Label3", "PTT time out (total):");
    Label5 = label("Label5", "PTT to leading ANI:");
    Label7 = label("Label7", "Wait to answer back:");
    Label16 = label("Label16", "Function:");
    Label12 = label("Label12", "F3 (Menu):");
    Label13 = label("Label13", "F2 (Call):");
    Label14 = label("Label14", "F3 (ACS):");
    Label15 = label("Label15", "F1 (Emergency):");
    Label17 = label("Label17", "Allow Mute to be changed:");
    Label18 = label("Label18", "Allow Area to be changed:");
    Label19 = label("Label19", "Allow Volume to be changed:");
    Label20 = label("Label20", "Allow Call to be selected:");
    Label21 = label("Label21", "Allow Channel to be changed:");
    Label22 = label("Label22", "Allow Nuisance channel deletion");
    Label23 = label("Label23", "Allow Monitor key:");
    Label31 = label("Label31", "Use the last channel found:");
    Label32 = label("Label32", "5 Tone mute is automatic:");
    Label33 = label("Label33", "Head Dial Selects:");
    Label34 = label("Label34", "CTCSS Decode sensitivity is:");

    number(TxtNumberArea, "TxtNumberArea", kOptNumberArea, 0);
    number(TxtChInArea, "TxtChInArea", kOptChInArea, 0);
    number(TxtScanTCh, "TxtScanTCh", kOptScanTCh, 3);
    number(TxtResumeSTime, "TxtResumeSTime", kOptResumeSTime, 2);
    number(TxtCallPtime, "TxtCallPtime", kOptCallPtime, 4);
    number(TxtPTTTimeout, "TxtPTTTimeout", kOptPTTTimeout, 3);
    number(TxtPTTLANI, "TxtPTTLANI", kOptPTTLANI, 4);
    number(TxtWaitAnswer, "TxtWaitAnswer", kOptWaitAnswer, 4);
    number(TxtRepeater, "TxtRepeater", kOptRepeater, 4);
    number(TxtRound, "TxtRound", kOptRound, 1);
    number(TxtF1, "TxtF1", kOptTxtF1, 0);
    number(TxtF2, "TxtF2", kOptTxtF2, 0);
    number(TxtF3, "TxtF3", kOptTxtF3, 0);
    number(TxtF4, "TxtF4", kOptTxtF4, 0);
    number(TxtFunction, "TxtFunction", kOptTxtFunction, 0);

    check(ChkFSon, "ChkFSon", kOptFSon, "ON");
    check(ChkFSoff, "ChkFSoff", kOptFSoff, "OFF");
    check(ChkAScan, "ChkAScan", kOptAScan);
    check(ChkBeep, "ChkBeep", kOptBeep);
    check(ChkMutechange, "ChkMutechange", kOptMutechange);
    check(ChkAreachange, "ChkAreachange", kOptAreachange);
    check(ChkVolumechange, "ChkVolumechange", kOptVolumechange);
    check(ChkCallselect, "ChkCallselect", kOptCallselect);
    check(ChkChannelchange, "ChkChannelchange", kOptChannelchange);
    check(ChkNuisancedelete, "ChkNuisancedelete", kOptNuisancedelete);
    check(ChkMonitorkey, "ChkMonitorkey", kOptMonitorkey);
    check(ChkUselast, "ChkUselast", kOptUselast);
    check(Chk5Toneauto, "Chk5Toneauto", kOpt5Toneauto);

    combo(ComboF1, "ComboF1", kOptComboF1);
    combo(ComboF2, "ComboF2", kOptComboF2);
    combo(ComboF3, "ComboF3", kOptComboF3);
    combo(ComboF4, "ComboF4", kOptComboF4);
    combo(ComboFunction, "ComboFunction", kOptComboFunction);
    combo(ComboHeadDial, "ComboHeadDial", kOptHeadDial);
    combo(ComboCTsen, "ComboCTsen", kOptCTsen);
    combo(ComboVolume, "ComboVolume", kOptVolume);
    combo(ComboMuteChange, "ComboMuteChange", kOptMuteChange);

    FillList(ComboF1, OptionLists::ComboF1);
    FillList(ComboF2, OptionLists::ComboF2);
    FillList(ComboF3, OptionLists::ComboF3);
    FillList(ComboF4, OptionLists::ComboF4);
    ComboF1->setCurrentIndex(OptionLists::kKeyMenu);
    ComboF2->setCurrentIndex(OptionLists::kKeyNone);
    ComboF3->setCurrentIndex(OptionLists::kKeyNone);
    ComboF4->setCurrentIndex(OptionLists::kKeyEmergency);
    FillList(ComboFunction, OptionLists::ComboFunction);
    FillList(ComboHeadDial, OptionLists::ComboHeadDial);
    FillList(ComboCTsen, OptionLists::ComboCTsen);
    for (int i = 1; i <= OptionLists::kLevelCount; ++i) {
        ComboVolume->addItem(QString::number(i));
        ComboMuteChange->addItem(QString::number(i));
    }
    for (QComboBox* c : {ComboFunction, ComboHeadDial, ComboCTsen, ComboVolume, ComboMuteChange}) c->setCurrentIndex(0);
    ComboVolume->hide();
    ComboMuteChange->hide();
    for (QLineEdit* t : {TxtF1, TxtF2, TxtF3, TxtF4, TxtFunction}) t->setEnabled(false);

    CommandOK = new QPushButton("O K", this);
    CommandOK->setObjectName("CommandOK");
    CommandOK->setDefault(true);
    CommandCANCEL = new QPushButton("Cancel", this);
    CommandCANCEL->setObjectName("CommandCANCEL");
    CommandDefault = new QPushButton("Defaults", this);
    CommandDefault->setObjectName("CommandDefault");
}

void Frm_Option::BuildLayout() {
    auto unit = [this](const char* text) { return new QLabel(text, this); };
    auto grid = [](QGroupBox* g) {
        auto* l = new QGridLayout(g);
        l->setHorizontalSpacing(8);
        l->setVerticalSpacing(4);
        l->setColumnStretch(0, 1);
        l->setColumnMinimumWidth(2, 24); // the unit column, so boxes line up across groups
        return l;
    };
    auto numberRow = [&](QGridLayout* l, int row, QLabel* lab, QLineEdit* box, const char* u) {
        l->addWidget(lab, row, 0);
        l->addWidget(box, row, 1);
        if (u) l->addWidget(unit(u), row, 2);
    };

    QGridLayout* g = grid(Channels);
    numberRow(g, 0, lbNa, TxtNumberArea, nullptr);
    numberRow(g, 1, lbCIA, TxtChInArea, nullptr);

    g = grid(Frame2);
    auto* fs = new QHBoxLayout;
    fs->addWidget(ChkFSon);
    fs->addWidget(ChkFSoff);
    g->addWidget(lbFs, 0, 0);
    g->addLayout(fs, 0, 1, 1, 2);
    g->addWidget(lbAss, 1, 0);
    g->addWidget(ChkAScan, 1, 1);
    numberRow(g, 2, lbstc, TxtScanTCh, "ms");
    numberRow(g, 3, lbRst, TxtResumeSTime, "s");
    g->addWidget(lbBonc, 4, 0);
    g->addWidget(ChkBeep, 4, 1);

    g = grid(Frame3);
    numberRow(g, 0, Label9, TxtRepeater, "ms");
    numberRow(g, 1, Label11, TxtRound, nullptr);

    g = grid(Frame1);
    numberRow(g, 0, Label1, TxtCallPtime, "ms");
    numberRow(g, 1, Label3, TxtPTTTimeout, "s");
    numberRow(g, 2, Label5, TxtPTTLANI, "ms");
    numberRow(g, 3, Label7, TxtWaitAnswer, "ms");

    g = grid(Frame4);
    int row = 0;
    for (auto [lab, combo, box] : {std::tuple{Label15, ComboF4, TxtF4}, std::tuple{Label13, ComboF2, TxtF2},
                                   std::tuple{Label12, ComboF1, TxtF1}, std::tuple{Label14, ComboF3, TxtF3}}) {
        g->addWidget(lab, row, 0);
        g->addWidget(combo, row, 1);
        g->addWidget(box, row, 2);
        ++row;
    }
    // The fourth key row is kept in the record but never shown.
    for (QWidget* w : {static_cast<QWidget*>(Label14), static_cast<QWidget*>(ComboF3), static_cast<QWidget*>(TxtF3)})
        w->hide();

    g = grid(Frame5);
    g->addWidget(Label16, 0, 0);
    g->addWidget(ComboFunction, 0, 1);
    g->addWidget(TxtFunction, 0, 2);

    g = grid(Frame6);
    struct AllowRow {
        QLabel* lab;
        QWidget* box;
        QWidget* extra;
    };
    const AllowRow rows[] = {
        {Label17, ChkMutechange, ComboMuteChange}, {Label18, ChkAreachange, nullptr},
        {Label19, ChkVolumechange, ComboVolume},   {Label20, ChkCallselect, nullptr},
        {Label21, ChkChannelchange, nullptr},      {Label22, ChkNuisancedelete, nullptr},
        {Label23, ChkMonitorkey, nullptr},         {Label31, ChkUselast, nullptr},
        {Label32, Chk5Toneauto, nullptr},          {Label33, ComboHeadDial, nullptr},
        {Label34, ComboCTsen, nullptr},
    };
    row = 0;
    for (const AllowRow& r : rows) {
        g->addWidget(r.lab, row, 0);
        g->addWidget(r.box, row, 1);
        if (r.extra) g->addWidget(r.extra, row, 2);
        ++row;
    }
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
    AdjustArea_Marnet(d_);
    ValidateP(d_);
    ValidateT(d_);
    UpdateAreaNo(d_);
    d_.MarkModified(); // an OK counts as an edit, even with nothing changed
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
