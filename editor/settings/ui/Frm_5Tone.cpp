#include "editor/settings/ui/Frm_5Tone.h"

#include "common/ui/CellPress.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/ToneSetList.h"
#include "editor/settings/core/ToneSetTips.h"
#include "editor/settings/ui/DroppedChannelsBox.h"
#include "editor/settings/ui/FiveToneGridModel.h"
#include "editor/settings/ui/Frm_Special.h"
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
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace vt {

namespace {
using ui::Make;
using ui::Px;
using ui::PlaceTwips;
constexpr int kRowHeight = 18;
const char* kInterface = "Ftone_Interface";

// The value boxes end inside the frame's border, whatever the style draws it with.
QLabel* ValueLabel(QGroupBox* frame, const char* name, int left, int top) {
    auto* l = Make<QLabel>(frame, name);
    QStyleOptionGroupBox opt;
    opt.initFrom(frame);
    const QRect inner = frame->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, frame);
    const int right = std::min(left + Px(1440), inner.right() - 4);
    l->setGeometry(left, top, right - left + 1, 18);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::ToolTipBase);
    l->setForegroundRole(QPalette::ToolTipText);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}
} // namespace

Frm_5Tone::Frm_5Tone(EditorData& data, QWidget* parent) : QDialog(parent), d_(data), snapshot_(data) {
    setObjectName(QStringLiteral("Frm_5Tone"));
    ui::FitToScreen(this);
    AcquireFiveToneList(d_);
    list_ = d_.PendingFiveTone;
    setWindowTitle(QStringLiteral("5Tone"));
    // The layout is measured for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    menuBar = Make<QMenuBar>(this, "menuBar");
    FunctionMenu = menuBar->addMenu(QStringLiteral("&Function"));
    FunctionMenu->setObjectName(QStringLiteral("FunctionMenu"));
    Install = FunctionMenu->addAction(QStringLiteral("Install Farmcall/Marnet"));
    Install->setObjectName(QStringLiteral("Install"));
    Special = FunctionMenu->addAction(QStringLiteral("Special Call"));
    Special->setObjectName(QStringLiteral("Special"));
    outer->setMenuBar(menuBar);
    auto* client = new QWidget(this);
    client->setFixedSize(Px(10650), Px(7155));
    outer->addWidget(client);

    Frame1 = Make<QGroupBox>(client, "Frame1");
    PlaceTwips(Frame1, 120, 120, 8295, 2535);
    Frame2 = Make<QGroupBox>(client, "Frame2");
    Frame2->setTitle(QStringLiteral("Call"));
    PlaceTwips(Frame2, 120, 2760, 8295, 3735);
    Frame3 = Make<QGroupBox>(client, "Frame3");
    Frame3->setTitle(QStringLiteral("Help"));
    PlaceTwips(Frame3, 8520, 120, 2055, 6375);
    ToneTip = Make<QLabel>(Frame3, "ToneTip");
    PlaceTwips(ToneTip, 120, 240, 1815, 6015);
    ToneTip->setWordWrap(true);
    ToneTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ToneTip->setAutoFillBackground(true);
    ToneTip->setBackgroundRole(QPalette::ToolTipBase);
    ToneTip->setForegroundRole(QPalette::ToolTipText);

    BuildSettings();
    BuildGrid();
    BuildButtons();
    ShowFromList();
    LoadLanguage();
}

Frm_5Tone::~Frm_5Tone() {
    // Unloaded without OK: the working copy goes with the window.
    if (!closing_ && d_.PendingFiveTone == list_) DiscardPendingFiveTone(d_);
}

void Frm_5Tone::BuildSettings() {
    const char* labels[] = {"Label1", "Label2", "Label3", "Label4", "Label6", "Label5"};
    QLabel** targets[] = {&Label1, &Label2, &Label3, &Label4, &Label6, &Label5};
    const char* captions[] = {"Own 5Tone (or MARNET) ID:", "Own Toneset:", "Page On Group Call:",
                              "Page Using Hooker:",        "Blows:",       "Page Using Speaker:"};
    for (int i = 0; i < 6; ++i) {
        *targets[i] = Make<QLabel>(Frame1, labels[i]);
        (*targets[i])->setText(QString::fromLatin1(captions[i]));
        (*targets[i])->setGeometry(Px(120), Px(240 + 360 * i), Px(2340), 20);
    }
    const int left = Px(2520);
    TxtID = Make<QLineEdit>(Frame1, "TxtID");
    TxtID->setMaxLength(5);
    TxtID->setGeometry(left, Px(240), Px(1095), 20);
    ComboToneSet = Make<QComboBox>(Frame1, "ComboToneSet");
    for (int i = 0; i < kToneSetCount; ++i) ComboToneSet->addItem(QString::fromStdString(ToneSetName(i)));
    ComboToneSet->setGeometry(left, Px(600) - 2, 90, 22);
    ChkPGcall = Make<QCheckBox>(Frame1, "ChkPGcall");
    ChkPGcall->setGeometry(left, Px(960), 20, 20);
    ChkHooker = Make<QCheckBox>(Frame1, "ChkHooker");
    ChkHooker->setGeometry(left, Px(1320), 20, 20);
    ComboBlow = Make<QComboBox>(Frame1, "ComboBlow");
    for (int i = 1; i <= kMaxBlows; ++i) ComboBlow->addItem(QString::number(i));
    ComboBlow->setGeometry(left, Px(1680) - 2, 52, 22);
    ChkSpeaker = Make<QCheckBox>(Frame1, "ChkSpeaker");
    ChkSpeaker->setGeometry(left, Px(2040), 20, 20);

    Label7 = Make<QLabel>(Frame1, "Label7");
    Label8 = Make<QLabel>(Frame1, "Label8");
    Label9 = Make<QLabel>(Frame1, "Label9");
    Label10 = Make<QLabel>(Frame1, "Label10");
    QLabel* farm[] = {Label7, Label8, Label9, Label10};
    const char* farmCaptions[] = {"Farmcall Group:", "Radio In Group:", "MARNET Channel:", "Farmcall Channel:"};
    for (int i = 0; i < 4; ++i) {
        farm[i]->setText(QString::fromLatin1(farmCaptions[i]));
        farm[i]->setGeometry(Px(4440), Px(240 + 360 * i), Px(2340), 20);
    }
    lbFarmcall = ValueLabel(Frame1, "lbFarmcall", Px(6840), Px(240));
    lbRing = ValueLabel(Frame1, "lbRing", Px(6840), Px(600));
    lbMarnet = ValueLabel(Frame1, "lbMarnet", Px(6840), Px(960));
    lbFarmchannel = ValueLabel(Frame1, "lbFarmchannel", Px(6840), Px(1320));
    CommandInstall = Make<QPushButton>(Frame1, "CommandInstall");
    PlaceTwips(CommandInstall, 5400, 2100, 2535, 375);

    for (QWidget* w : std::initializer_list<QWidget*>{TxtID, ChkPGcall, ChkHooker, ChkSpeaker}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    ComboToneSet->installEventFilter(this);
    ComboBlow->installEventFilter(this);
    connect(CommandInstall, &QPushButton::clicked, this, &Frm_5Tone::CommandInstall_Click);
    connect(Install, &QAction::triggered, this, &Frm_5Tone::CommandInstall_Click);
    connect(Special, &QAction::triggered, this, &Frm_5Tone::Command3_Click);
}

void Frm_5Tone::BuildGrid() {
    MFG5Tone = Make<QTableView>(Frame2, "MFG5Tone");
    PlaceTwips(MFG5Tone, 120, 240, 8055, 3375);
    model_ = new FiveToneGridModel(*list_, this);
    MFG5Tone->setModel(model_);
    MFG5Tone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MFG5Tone->setSelectionMode(QAbstractItemView::SingleSelection);
    MFG5Tone->setSelectionBehavior(QAbstractItemView::SelectItems);
    MFG5Tone->verticalHeader()->setDefaultSectionSize(kRowHeight);
    MFG5Tone->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MFG5Tone->verticalHeader()->setFixedWidth(Px(480));
    MFG5Tone->horizontalHeader()->setFixedHeight(kRowHeight + 2);
    // Every column fits beside the row labels and the vertical bar: a half-hidden column would
    // scroll the grid under the editor a click just opened.
    MFG5Tone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MFG5Tone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FitColumns();
    auto* corner = Make<QLabel>(MFG5Tone, "MFG5ToneCorner");
    corner->setText(QStringLiteral("No"));
    corner->setAlignment(Qt::AlignCenter);
    corner->setGeometry(MFG5Tone->frameWidth(), MFG5Tone->frameWidth(), Px(480), kRowHeight + 2);

    connect(MFG5Tone, &QTableView::clicked, this,
            [this](const QModelIndex& i) { MFG5Tone_Click(i.row() + 1, i.column() + 1); });
    connect(MFG5Tone, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { MFG5Tone_DblClick(i.row() + 1, i.column() + 1); });
    auto hideOnScroll = [this] {
        CommitOpenEditor();
        HideEditors();
    };
    connect(MFG5Tone->verticalScrollBar(), &QScrollBar::valueChanged, this, hideOnScroll);
    connect(MFG5Tone->horizontalScrollBar(), &QScrollBar::valueChanged, this, hideOnScroll);

    txtCallTone = Make<QLineEdit>(Frame2, "txtCallTone");
    txtCallTone->setMaxLength(20);
    txtIdentify = Make<QLineEdit>(Frame2, "txtIdentify");
    txtIdentify->setMaxLength(16);
    // A "|" would split the stored line into seven fields.
    txtIdentify->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), txtIdentify));
    txtChannel = Make<QLineEdit>(Frame2, "txtChannel");
    txtEmerg = Make<QLineEdit>(Frame2, "txtEmerg");
    cmbTries = Make<QComboBox>(Frame2, "cmbTries");
    for (int i = 1; i <= kMaxTries; ++i) cmbTries->addItem(QString::number(i));
    LstToneSet = Make<QListWidget>(Frame2, "LstToneSet");
    for (int i = 0; i < kToneSetCount; ++i) LstToneSet->addItem(QString::fromStdString(ToneSetName(i)));
    LstToneSet->viewport()->setMouseTracking(true);
    LstToneSet->viewport()->installEventFilter(this);
    connect(LstToneSet, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { LstToneSet_Click(LstToneSet->row(item)); });
    for (QLineEdit* e : {txtCallTone, txtIdentify, txtChannel, txtEmerg}) {
        e->installEventFilter(this);
        // Enter commits like leaving the box.
        connect(e, &QLineEdit::returnPressed, this, [this] { MFG5Tone->setFocus(Qt::OtherFocusReason); });
    }
    cmbTries->installEventFilter(this);
    for (QWidget* e : std::initializer_list<QWidget*>{txtCallTone, txtIdentify, txtChannel, txtEmerg, cmbTries,
                                                      static_cast<QWidget*>(LstToneSet)})
        ui::OnCellBoxEscape(e, [this, e] { EditorEscape(e); });
    HideEditors();
}

// Every column takes what its header needs in bold (the current column's header is drawn
// bold), the channel column also "CURRENT"; the call tone and identification columns share
// what is left.
void Frm_5Tone::FitColumns() {
    const int design[] = {Px(2240), Px(1120), Px(1760), Px(960), Px(800), Px(1120)};
    QFont bold = MFG5Tone->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics header(bold), cells(MFG5Tone->font());
    const int pad = 8;
    int room = MFG5Tone->width() - 2 * MFG5Tone->frameWidth() - MFG5Tone->verticalHeader()->width() -
               MFG5Tone->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, MFG5Tone);
    // View columns: the list's columns less its row labels.
    constexpr int call = ToneColCall - 1, ident = ToneColIdent - 1, channel = ToneColChannel - 1;
    constexpr int columns = kToneGridCols - 1;
    static_assert(std::size(design) == columns);
    int widths[columns] = {};
    const QString current = QString::fromLatin1(kCurrentChannel.data(), static_cast<qsizetype>(kCurrentChannel.size()));
    for (int c = 0; c < columns; ++c) {
        widths[c] = header.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + pad;
        if (c == channel) widths[c] = std::max(widths[c], cells.horizontalAdvance(current) + pad);
        if (c != call && c != ident) room -= widths[c];
    }
    const int spare = std::max(0, room - widths[call] - widths[ident]);
    widths[call] += spare * design[call] / (design[call] + design[ident]);
    widths[ident] = room - widths[call];
    for (int c = 0; c < columns; ++c) MFG5Tone->setColumnWidth(c, widths[c]);
}

void Frm_5Tone::BuildButtons() {
    QWidget* client = Frame1->parentWidget();
    Command3 = Make<QPushButton>(client, "Command3");
    PlaceTwips(Command3, 120, 6600, 1575, 375);
    Command1 = Make<QPushButton>(client, "Command1");
    Command1->setText(QStringLiteral("OK"));
    PlaceTwips(Command1, 6720, 6600, 1335, 375);
    Command2 = Make<QPushButton>(client, "Command2");
    Command2->setText(QStringLiteral("Cancel"));
    PlaceTwips(Command2, 8160, 6600, 975, 375);
    Command4 = Make<QPushButton>(client, "Command4");
    PlaceTwips(Command4, 9360, 6600, 1215, 375);
    // Enter belongs to the cell editors; no button takes it.
    for (QPushButton* b : {Command1, Command2, Command3, Command4, CommandInstall}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Command1, &QPushButton::clicked, this, &Frm_5Tone::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm_5Tone::reject);
    connect(Command3, &QPushButton::clicked, this, &Frm_5Tone::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Frm_5Tone::Command4_Click);
}

void Frm_5Tone::ShowFromList() {
    const FiveToneList& l = *list_;
    TxtID->setText(QString::fromStdString(l.OwnID));
    ComboToneSet->setCurrentIndex(l.ToneSet);
    ChkPGcall->setChecked(l.PGcall == 1);
    ChkHooker->setChecked(l.Hooker == 1);
    ChkSpeaker->setChecked(l.Speaker == 1);
    ComboBlow->setCurrentIndex(l.Blows - 1);
    lbFarmcall->setText(QString::fromStdString(l.FarmcallLabel));
    lbRing->setText(QString::fromStdString(l.RingLabel));
    lbMarnet->setText(QString::fromStdString(l.MarnetLabel));
    lbFarmchannel->setText(QString::fromStdString(l.FarmChannelLabel));
    model_->refresh();
}

void Frm_5Tone::LoadLanguage() {
    const EditorData& d = d_;
    auto I = [&](int k) { return LangText(d, kInterface, k); };
    setWindowTitle(I(1));
    CommandInstall->setText(I(2));
    Command3->setText(I(3));
    Install->setText(I(4));
    Special->setText(I(5));
    FunctionMenu->setTitle(I(6));
    Command4->setText(I(7));
    QLabel* labels[] = {Label1, Label2, Label3, Label4, Label6, Label5, Label7, Label8, Label9, Label10};
    for (int i = 0; i < 10; ++i) labels[i]->setText(I(8 + i));
    for (int k = 0; k <= 4; ++k) toneMsg_[static_cast<size_t>(k)] = d.Lang.Text("Ftone_Msg", k + 1);
    for (int k = 0; k <= 12; ++k) toneTipText_[static_cast<size_t>(k)] = d.Lang.Text("Ftone_Tip", k + 1);
    for (int s = 0; s < kToneSetCount; ++s) toneSetTip_[static_cast<size_t>(s)] = ToneSetTip(s);
}

void Frm_5Tone::Tip(const std::string& text) { ToneTip->setText(DisplayText(text)); }

void Frm_5Tone::Message(int index) { ui::MsgBox(DisplayText(toneMsg_[static_cast<size_t>(index)]), ui::MsgButtons::Ok); }

// ---- OK, Cancel, Clear, Install, Special ----

void Frm_5Tone::Command1_Click() {
    if (!CommitOpenEditor()) return;
    std::string id = TxtID->text().toStdString();
    if (!FiveToneList::CheckOwnID(id)) {
        Message(0);
        TxtID->setFocus(Qt::OtherFocusReason);
        TxtID->selectAll();
        return;
    }
    FiveToneList& l = *list_;
    l.OwnID = id;
    l.ToneSet = ComboToneSet->currentIndex();
    l.PGcall = ChkPGcall->isChecked() ? 1 : 0;
    l.Hooker = ChkHooker->isChecked() ? 1 : 0;
    l.Speaker = ChkSpeaker->isChecked() ? 1 : 0;
    l.Blows = ComboBlow->currentIndex() + 1;
    l.Store(d_);
    DiscardPendingFiveTone(d_);
    // Clear may have switched MARNET or the second receiver off.
    const std::vector<DroppedChannel> dropped = FitGridToRecords(d_);
    closing_ = true;
    HideEditors();
    accept();
    ShowDroppedChannels(d_, dropped, parentWidget());
}

void Frm_5Tone::reject() {
    if (closing_ && result() == QDialog::Accepted) return;
    closing_ = true;
    HideEditors();
    snapshot_.Restore(d_);
    DiscardPendingFiveTone(d_);
    QDialog::reject();
}

void Frm_5Tone::Command4_Click() {
    if (!CommitOpenEditor()) return;
    if (ui::MsgBox(DisplayText(toneMsg_[2]), ui::MsgButtons::OkCancel) != ui::MsgResult::Ok) return;
    HideEditors();
    list_->ClearShared(d_);
    ShowFromList();
}

void Frm_5Tone::CommandInstall_Click() { Message(4); }

void Frm_5Tone::Command3_Click() {
    if (!CommitOpenEditor()) return;
    HideEditors();
    QModelIndex cur = MFG5Tone->currentIndex();
    int line = cur.isValid() ? cur.row() + 1 : 1;
    Frm_Special dlg(d_, *list_, TxtID->text().toStdString(), line, this);
    dlg.exec();
    model_->refresh();
}

// ---- grid and cell editors ----

std::array<QWidget*, 5> Frm_5Tone::CellBoxes() const {
    return {txtCallTone, txtIdentify, txtChannel, txtEmerg, cmbTries};
}

QWidget* Frm_5Tone::OpenEditor() const {
    for (QWidget* e : CellBoxes())
        if (e->isVisible()) return e;
    return nullptr;
}

bool Frm_5Tone::IsCellEditor(const QObject* w) const {
    const auto boxes = CellBoxes();
    return std::find(boxes.begin(), boxes.end(), w) != boxes.end();
}

bool Frm_5Tone::CommitOpenEditor() {
    // The click or key that has just seen an entry refused does not go on.
    if (refused_) return false;
    if (QWidget* e = OpenEditor()) EditorLostFocus(e);
    return !refused_;
}

void Frm_5Tone::HideEditors() {
    committing_ = true;
    for (QWidget* e : std::initializer_list<QWidget*>{txtCallTone, txtIdentify, txtChannel, txtEmerg, cmbTries,
                                                      static_cast<QWidget*>(LstToneSet)})
        e->hide();
    committing_ = false;
}

void Frm_5Tone::MFG5Tone_Click(int row, int col) {
    if (!CommitOpenEditor()) return;
    curRow_ = row;
    curCol_ = col;
    // A partly hidden cell scrolls into view now, not after the editor has opened over it.
    if (row >= 1 && col >= 1) MFG5Tone->scrollTo(model_->index(row - 1, col - 1));
    switch (col) {
    case ToneColCall: ShowCallToneEditor(); break;
    case ToneColToneSet:
        LstToneSet_Show();
        Tip(toneTipText_[7]);
        break;
    case ToneColIdent:
        ShowTextEditor(txtIdentify, list_->Cell(row, ToneColIdent));
        Tip(toneTipText_[8]);
        break;
    case ToneColChannel:
        ShowTextEditor(txtChannel, list_->Cell(row, ToneColChannel));
        Tip(toneTipText_[9]);
        break;
    case ToneColTries:
        ShowTriesEditor();
        Tip(toneTipText_[10]);
        break;
    case ToneColEmergency:
        ShowTextEditor(txtEmerg, list_->Cell(row, ToneColEmergency));
        Tip(toneTipText_[11]);
        break;
    default: break;
    }
    if (LstToneSet->isVisible() && col != ToneColToneSet) LstToneSet->hide();
}

void Frm_5Tone::MFG5Tone_DblClick(int row, int col) {
    curRow_ = row;
    curCol_ = col;
    if (col != ToneColCall || !FiveToneList::IsSpecialLine(d_, row)) return;
    if (ui::MsgBox(DisplayText(toneMsg_[3]), ui::MsgButtons::OkCancel) != ui::MsgResult::Ok) return;
    list_->ClearSpecialLine(d_, row);
    model_->refresh();
}

void Frm_5Tone::PlaceEditor(QWidget* editor, int dx, int dy, int dw, int dh, bool ownHeight) {
    QRect cell = MFG5Tone->visualRect(model_->index(curRow_ - 1, curCol_ - 1));
    QPoint at = MFG5Tone->viewport()->mapTo(Frame2, cell.topLeft());
    int h = ownHeight ? editor->sizeHint().height() : cell.height() + dh;
    editor->setGeometry(at.x() + dx, at.y() + dy, cell.width() + dw, h);
    editor->raise();
}

void Frm_5Tone::ShowTextEditor(QLineEdit* editor, const std::string& text) {
    PlaceEditor(editor, 0, 0, -1, -1, false);
    editor->setText(QString::fromStdString(text));
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    // Typing replaces the cell's text instead of running on behind it.
    editor->selectAll();
}

void Frm_5Tone::ShowCallToneEditor() {
    if (!list_->CallToneEditable(d_, curRow_)) {
        Tip(toneTipText_[12]);
        return;
    }
    ShowTextEditor(txtCallTone, list_->CallToneEditorText(curRow_));
    Tip(toneTipText_[6]);
}

void Frm_5Tone::ShowTriesEditor() {
    PlaceEditor(cmbTries, -1, -3, 0, 0, true);
    int i = cmbTries->findText(QString::fromStdString(list_->Cell(curRow_, ToneColTries)));
    cmbTries->setCurrentIndex(i < 0 ? 0 : i);
    cmbTries->show();
    cmbTries->setFocus(Qt::OtherFocusReason);
}

void Frm_5Tone::LstToneSet_Show() {
    if (LstToneSet->isVisible()) return;
    QRect cell = MFG5Tone->visualRect(model_->index(curRow_ - 1, curCol_ - 1));
    QPoint at = MFG5Tone->viewport()->mapTo(Frame2, cell.topLeft());
    int h = std::max(6 * cell.height(), 6 * LstToneSet->sizeHintForRow(0) + 2 * LstToneSet->frameWidth());
    LstToneSet->setGeometry(at.x() + 1, at.y() - 3, cell.width(), h);
    LstToneSet->clearSelection();
    LstToneSet->raise();
    LstToneSet->show();
    LstToneSet->setFocus(Qt::OtherFocusReason);
}

void Frm_5Tone::LstToneSet_Click(int index) {
    list_->SetToneSetCell(curRow_, index);
    LstToneSet->hide();
    model_->refresh();
}

void Frm_5Tone::FinishEditor(QWidget* editor) {
    committing_ = true;
    if (auto* e = qobject_cast<QLineEdit*>(editor)) e->clear();
    editor->hide();
    committing_ = false;
    model_->refresh();
}

// Escape drops the open box's entry: its cell keeps its text and the dialog its other edits.
void Frm_5Tone::EditorEscape(QWidget* editor) {
    committing_ = true;
    MFG5Tone->setFocus(Qt::OtherFocusReason);
    committing_ = false;
    FinishEditor(editor);
}

void Frm_5Tone::EditorLostFocus(QObject* editor) {
    if (committing_ || !static_cast<QWidget*>(editor)->isVisible()) return;
    committing_ = true;
    bool accepted = true;
    if (editor == txtCallTone) accepted = txtCallTone_LostFocus();
    else if (editor == txtIdentify) txtIdentify_LostFocus();
    else if (editor == txtChannel) accepted = txtChannel_LostFocus();
    else if (editor == txtEmerg) accepted = txtEmerg_LostFocus();
    else if (editor == cmbTries) cmbTries_LostFocus();
    committing_ = false;
    if (accepted) FinishEditor(static_cast<QWidget*>(editor));
    else HoldRefused(static_cast<QLineEdit*>(editor));
}

// A refused entry keeps its editor open, empty, with the focus; the cell keeps its text.
// Leaving the empty editor then closes it without a change.
void Frm_5Tone::HoldRefused(QLineEdit* editor) {
    committing_ = true;
    editor->clear();
    committing_ = false;
    TakeFocusBack(editor);
}

// Until then the click or key that left the box does not go on: no cell editor opens.
void Frm_5Tone::TakeFocusBack(QLineEdit* box) {
    refused_ = box;
    // After the focus change that ran the check is over.
    QTimer::singleShot(0, this, [this, box] {
        refused_ = nullptr;
        if (!box->isVisible()) return;
        box->setFocus(Qt::OtherFocusReason);
        if (box == TxtID) box->selectAll();
    });
}

bool Frm_5Tone::txtCallTone_LostFocus() {
    if (list_->CommitCallTone(d_, curRow_, txtCallTone->text().toStdString()) >= kCommitOk) return true;
    Message(0);
    return false;
}

void Frm_5Tone::txtIdentify_LostFocus() {
    if (!list_->SetIdentification(curRow_, txtIdentify->text().toStdString())) Message(0);
}

bool Frm_5Tone::txtChannel_LostFocus() {
    // A channel outside 1 to 200 is refused without a message.
    const int r = list_->CommitChannel(curRow_, txtChannel->text().toStdString());
    if (r == kCommitInvalid) Message(0);
    return r >= kCommitOk;
}

bool Frm_5Tone::txtEmerg_LostFocus() {
    const int r = list_->CommitEmergency(curRow_, txtEmerg->text().toStdString());
    if (r == kCommitInvalid) Message(0);
    else if (r == kCommitRange) Message(1);
    return r >= kCommitOk;
}

void Frm_5Tone::cmbTries_LostFocus() {
    list_->SetTries(curRow_, cmbTries->currentText().toStdString());
    cmbTries->setCurrentIndex(0);
}

bool Frm_5Tone::TxtID_LostFocus() {
    std::string id = TxtID->text().toStdString();
    bool ok = FiveToneList::CheckOwnID(id);
    TxtID->setText(QString::fromStdString(id));
    if (!ok) {
        Message(0);
        TxtID->selectAll();
        TakeFocusBack(TxtID);
    }
    return ok;
}

bool Frm_5Tone::FocusCheckApplies(QEvent* event) const {
    auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    // Leaving for Cancel needs no check: nothing will be kept.
    return !closing_ && QApplication::focusWidget() != Command2;
}

bool Frm_5Tone::OwnIdCheckApplies(QEvent* event) const {
    // OK checks the own ID itself.
    return FocusCheckApplies(event) && QApplication::focusWidget() != Command1;
}

bool Frm_5Tone::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::FocusOut) {
        if (watched == TxtID) {
            if (OwnIdCheckApplies(event)) TxtID_LostFocus();
        } else if (IsCellEditor(watched) && FocusCheckApplies(event)) {
            // The check boxes are watched for their tips only: leaving one is no cell edit.
            EditorLostFocus(watched);
        }
    } else if (type == QEvent::FocusIn) {
        if (watched == ComboToneSet) Tip(toneTipText_[1]);
        else if (watched == ComboBlow) Tip(toneTipText_[4]);
    } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == TxtID) Tip(toneTipText_[0]);
        else if (watched == ChkPGcall) Tip(toneTipText_[2]);
        else if (watched == ChkHooker) Tip(toneTipText_[3]);
        else if (watched == ChkSpeaker) Tip(toneTipText_[5]);
        else if (watched == LstToneSet->viewport() && type == QEvent::MouseMove) {
            int row = LstToneSet->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row();
            if (row >= 0 && row < kToneSetCount) Tip(toneSetTip_[static_cast<size_t>(row)]);
        }
    } else if (type == QEvent::MouseButtonDblClick && watched == txtCallTone &&
               FiveToneList::IsSpecialLine(d_, curRow_)) {
        // The second click of a double click lands on the editor the first one opened.
        committing_ = true;
        txtCallTone->clear();
        txtCallTone->hide();
        committing_ = false;
        MFG5Tone_DblClick(curRow_, curCol_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vt
