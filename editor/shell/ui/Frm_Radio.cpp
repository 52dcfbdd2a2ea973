#include "editor/shell/ui/Frm_Radio.h"

#include "common/ui/CellPress.h"
#include "common/ui/MessageBox.h"
#include "common/ui/QtTranslations.h"
#include "common/ui/ScreenFit.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/LngFile.h"
#include "editor/image/SettingsFieldNames.h"
#include "editor/shell/ui/FrmAbout.h"
#include "editor/shell/ui/FrmAbout2.h"
#include "editor/shell/ui/GridModel.h"
#include "editor/shell/ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vt {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
// Texts keep the old carriage returns in the data; Qt breaks lines at '\n'.
QString Shown(const std::string& s) { return Q(s).replace('\r', '\n'); }

// The channel grid is never typed into: keys must not jump to a row by its text.
class ChannelGridView : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};
} // namespace

Frm_Radio::Frm_Radio(EditorData& data, QWidget* parent) : QMainWindow(parent), d_(data) {
    setObjectName("Frm_Radio");
    ui::FitToScreen(this);
    Form_Load();
    d_.SetListener(this);
}

Frm_Radio::~Frm_Radio() {
    // The data set outlives the window; it must not call back into it.
    d_.MFG.setListener(nullptr);
    d_.SetListener(nullptr);
    d_.Tables.ShowMessage = nullptr;
}

QString Frm_Radio::Lng(const char* section, int index) const { return Shown(d_.Lang.Text(section, index)); }

// ------------------------------------------------------------------ start-up

void Frm_Radio::Form_Load() {
    BuildMenus();
    BuildToolbar();
    BuildCentral();
    mnuTRxVol->setVisible(false);
    Menu_Band_Item[4]->setVisible(false);
    Menu_Band_UHF->menuAction()->setVisible(false);

    d_.ShowHexInput = 0;
    Command1->setVisible(d_.ShowHexInput == 1);

    // The start-up goes on whatever the voltage table files hold, but says which are unusable:
    // their channels would otherwise be written with voltage bytes of 0 without a word.
    d_.VolTables.InitBandLimits();
    const std::vector<std::string> volErrors = d_.VolTables.LoadVoltageTables();
    if (!volErrors.empty()) {
        QStringList lines;
        for (const auto& e : volErrors) lines << Q(e);
        ui::MsgBox(lines.join('\n'), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    }
    // A conversion table that fails its test is reported in a box, and the editor goes on.
    d_.Tables.ShowMessage = [this](const std::string& m) {
        ui::MsgBox(Q(m), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    };

    d_.ClearModified();
    d_.BandIndex = 1;
    d_.BandLimits[1] = 53;
    d_.BandLimits[2] = 60;

    d_.CommPort = 1;
    d_.CommSettings = kDefaultCommSettings;
    // Start-up defaults are no edit of the user.
    d_.SetRadioOption(kDefaultRadioOption, RecordWrite::Quiet);
    d_.SetFiveToneInfo(kDefaultFiveToneInfo, RecordWrite::Quiet);
    d_.SetFarmMarnetInfo(kDefaultFarmMarnetInfo, RecordWrite::Quiet);
    for (int n = 1; n <= kToneLines; ++n)
        d_.SetFiveToneLine(n, kEmptyToneLine, RecordWrite::Quiet);

    lbArea->setText("AREA   NAME:");
    lbcurArea->setText("1");
    d_.ManualSetupFlag = 1;
    d_.Setup3C00 = d_.Setup3C01 = d_.Setup3C02 = 32;

    BuildGrid(d_);
    ApplyColumnWidths();
    for (int i = 1; i <= kMaxAreas; ++i)
        d_.SetAreaName(i, std::to_string(i), RecordWrite::Quiet);
    d_.CurrentArea = 1;

    d_.LangCode = "eng";
    LoadLngFileOrWarn();

    BuildCellEditors();
    LoadLanguage();
    ShowTip(DefaultTip);
    SizeToScreen();
}

void Frm_Radio::BuildCentral() {
    auto* central = new QWidget(this);
    central->setObjectName("CentralArea");
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(Px(60), Px(30), Px(60), Px(30));
    v->setSpacing(Px(45));

    Frame1 = new QFrame(central);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto* h = new QHBoxLayout(Frame1);
    h->setContentsMargins(Px(120), Px(45), Px(120), Px(45));
    lbArea = new QLabel(Frame1);
    lbArea->setObjectName("lbArea");
    lbcurArea = new QLabel(Frame1);
    lbcurArea->setObjectName("lbcurArea");
    lbcurArea->setMinimumWidth(Px(2400));
    lbcurArea->setFrameShape(QFrame::Panel);
    lbcurArea->setFrameShadow(QFrame::Sunken);
    lbcurArea->installEventFilter(this);
    lbBand = new QLabel(Frame1);
    lbBand->setObjectName("lbBand");
    Command1 = new QPushButton("Command1", Frame1);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    h->addWidget(lbArea);
    h->addWidget(lbcurArea);
    h->addStretch(1);
    h->addWidget(Command1);
    h->addWidget(lbBand);
    v->addWidget(Frame1);

    BuildGridView(central);
    v->addWidget(MFG, 1);

    Tip = new QLabel(central);
    Tip->setObjectName("Tip");
    Tip->setWordWrap(true);
    Tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Tip->setFixedHeight(Px(kTipHeightTwips));
    Tip->setFrameShape(QFrame::Panel);
    Tip->setFrameShadow(QFrame::Sunken);
    v->addWidget(Tip);
    setCentralWidget(central);

    ReadTimer = new QTimer(this);
    ReadTimer->setObjectName("ReadTimer");
    ReadTimer->setInterval(1000);
    connect(ReadTimer, &QTimer::timeout, this, [this] { ReadTimer_Timer(); });
}

// The channel grid MFG: a view of the data set's grid; its editors are overlays (BuildCellEditors).
void Frm_Radio::BuildGridView(QWidget* parent) {
    MFG = new ChannelGridView(parent);
    MFG->setObjectName("MFG");
    MFGModel = new GridModel(d_.MFG, MFG);
    MFG->setModel(MFGModel);
    MFG->setEditTriggers(QAbstractItemView::NoEditTriggers); // cells are edited through overlays
    MFG->setSelectionMode(QAbstractItemView::SingleSelection);
    MFG->setSelectionBehavior(QAbstractItemView::SelectItems);
    MFG->setWordWrap(false);
    // The designed column widths were made for a small grid font.
    QFont gridFont = MFG->font();
    gridFont.setPointSizeF(gridFont.pointSizeF() * 0.85);
    MFG->setFont(gridFont);
    MFG->horizontalHeader()->setFont(gridFont);
    MFG->verticalHeader()->setFont(gridFont);
    MFG->verticalHeader()->setDefaultSectionSize(Px(285));
    MFG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MFG->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MFG->horizontalHeader()->setHighlightSections(false);
    MFG->horizontalHeader()->setMinimumSectionSize(Px(300));
    connect(MFGModel, &GridModel::gridRefreshed, this, [this] { ApplyColumnWidths(); });
    ui::OnCellPress(MFG, [this](const QModelIndex& i) {
        gridRow_ = i.row() + 1;
        gridCol_ = i.column() + 1;
        MFG_Click();
    });
    // Keys move the grid's current cell as well as clicks do.
    connect(MFG->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        gridRow_ = i.row() + 1;
        gridCol_ = i.column() + 1;
    });
    connect(MFG->verticalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        MFG->setFocus(); // an open editor commits first, as with a click on a cell
        gridRow_ = section + 1;
        gridCol_ = ColNo;
        MFG_Click();
    });
    connect(MFG->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { MFG_Scroll(); });
    connect(MFG->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { MFG_Scroll(); });
}

// The editors are created here; CellEditors gives them their items and lengths from the rules.
void Frm_Radio::BuildCellEditors() {
    auto line = [this](QLineEdit*& w, const char* name) {
        w = new QLineEdit(this);
        w->setObjectName(name);
        w->hide();
        w->installEventFilter(this);
    };
    auto list = [this](QListWidget*& w, const char* name) {
        w = new QListWidget(this);
        w->setObjectName(name);
        w->hide();
        w->installEventFilter(this);
    };
    auto combo = [this](QComboBox*& w, const char* name) {
        w = new QComboBox(this);
        w->setObjectName(name);
        w->setEditable(true);
        w->hide();
        w->installEventFilter(this);
    };
    line(TxtTxFreq, "TxtTxFreq");
    line(TxtRxFreq, "TxtRxFreq");
    line(TxtName1, "TxtName1");
    line(TxtName2, "TxtName2");
    line(txtOtherEnc, "txtOtherEnc");
    line(txtOtherDec, "txtOtherDec");
    list(lstCTENC, "lstCTENC");
    list(lstCTDEC, "lstCTDEC");
    list(lstDCENC, "lstDCENC");
    list(lstDCDEC, "lstDCDEC");
    combo(ComboBCLO, "ComboBCLO");
    combo(ComboSCAN, "ComboSCAN");
    UpdateScan();
    combo(ComboScan2, "ComboScan2");
    combo(Combo5Tone, "Combo5Tone");
    combo(ComboANI, "ComboANI");
    combo(ComboSelCall, "ComboSelCall");
    // No cell opens this one; it stands ready with its two answers.
    combo(ComboBScan, "ComboBScan");
    ComboBScan->addItems({"NO", "YES"});
    line(TxtCTDEV, "TxtCTDEV");
    line(TxtDECDEV, "TxtDECDEV");
    line(TxtPower, "TxtPower");
    SetupCellEditors();
}

void Frm_Radio::SizeToScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenTwips = screen ? screen->geometry().width() * kTwipsPerPixel : 0;
    const bool wide = screenTwips >= 15360;
    MFG->setMinimumWidth(Px(wide ? 14300 : 9900) - Px(120));
    Frame1->setFixedWidth(Px(wide ? 14400 : 10000) - Px(120));
    Tip->setFixedWidth(Px(wide ? 14300 : 10000) - Px(120));
    resize(Px(wide ? 14400 : 10000), Tip->height() + Px(6450));
    move(Px(50), Px(50));
}

void Frm_Radio::ApplyColumnWidths() {
    if (!MFG) return;
    for (int c = 1; c < d_.MFG.Cols(); ++c) MFG->setColumnWidth(c - 1, Px(d_.MFG.ColWidth(c)));
    // The designed width fits the labels in the designed font; the labels with their area
    // number ("Ch:6     Area:1") must be read whole in the font the grid has here, in bold
    // as the current row's label is drawn.
    QHeaderView* labels = MFG->verticalHeader();
    QFont bold = labels->font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int widest = 0;
    for (int r = 1; r < d_.MFG.Rows(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(Q(d_.MFG.TextMatrix(r, ColNo))));
    const int margins = 2 * labels->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, labels);
    labels->setFixedWidth(std::max(Px(d_.MFG.ColWidth(ColNo)), widest + margins));
}

void Frm_Radio::ShowTip(const QString& text) {
    if (Tip) Tip->setText(text);
}

// ------------------------------------------------------------------ close prompt

void Frm_Radio::closeEvent(QCloseEvent* event) {
    if (!CommitOpenEditor()) {
        event->ignore();
        return;
    }
    if (d_.IsModified()) {
        // Escape or the question's close button cancel the close: only No drops the edits.
        auto answer =
            ui::MsgBox(SaveChangesMsg, ui::MsgButtons::YesNoEscapeCancels, ui::MsgIcon::Question, QString(), this);
        // A Save that was cancelled or failed keeps the window, or the edits would be lost.
        if (answer == ui::MsgResult::Cancel || (answer == ui::MsgResult::Yes && !Menu_Save_Click())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool Frm_Radio::eventFilter(QObject* watched, QEvent* event) {
    if (CellEditorEvent(watched, event)) return true;
    if (watched == lbcurArea && event->type() == QEvent::MouseButtonDblClick) {
        lbcurArea_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------ the grid seen from outside

void Frm_Radio::SetMFGCell(int row, int col) {
    gridRow_ = row;
    gridCol_ = col;
    if (row >= 1 && col >= 1 && row < d_.MFG.Rows() && col < d_.MFG.Cols()) {
        QModelIndex i = MFGModel->index(row - 1, col - 1);
        MFG->setCurrentIndex(i);
        MFG->scrollTo(i);
    }
}

QRect Frm_Radio::MFGCellRect(int row, int col) const {
    QRect r;
    if (row >= 1 && col >= 1) r = MFG->visualRect(MFGModel->index(row - 1, col - 1));
    else if (row >= 1) {
        auto* vh = MFG->verticalHeader();
        r = QRect(-vh->width(), vh->sectionViewportPosition(row - 1), vh->width(), vh->sectionSize(row - 1));
    }
    return r.translated(MFG->viewport()->mapTo(this, QPoint(0, 0)));
}

QRect Frm_Radio::MFGRect() const { return QRect(MFG->mapTo(this, QPoint(0, 0)), MFG->size()); }

// ------------------------------------------------------------------ notices of the data set

void Frm_Radio::Changed(DataSetChange what) {
    switch (what) {
    case DataSetChange::AreaShape:
    case DataSetChange::AreaNumbers: ApplyColumnWidths(); break;
    case DataSetChange::ScanLetters: ShowScanChoices(); break;
    case DataSetChange::AreaNames: UpdateAreaName(); break;
    default: break; // cells only: the grid reports them
    }
}

void Frm_Radio::UpdateScan() {
    vt::UpdateScan(d_);
    // Inside a bulk replacement the notice waits for DataSetReplaced; the choices are shown now.
    ShowScanChoices();
}

void Frm_Radio::ShowScanChoices() {
    if (ComboSCAN) {
        ComboSCAN->clear();
        for (const auto& s : d_.ScanChoices) ComboSCAN->addItem(Q(s));
        ComboSCAN->setCurrentIndex(0);
    }
    // The choices name the ACS set when the option record asked for it when they were made.
    const bool acs = std::find(d_.ScanChoices.begin(), d_.ScanChoices.end(), "A") != d_.ScanChoices.end();
    if (d_.LangCode == "eng") ColumnTips[ColScan - 1] = Shown(ScanTipText(acs));
    if (ComboSCAN) ComboSCAN->hide();
}

void Frm_Radio::DataSetReplaced() { ShowScanChoices(); }

void Frm_Radio::UpdateAreaName() { lbcurArea->setText(Q(CurrentAreaName(d_))); }

std::string Frm_Radio::WhichArea(int row) { return vt::WhichArea(d_, row); }
int Frm_Radio::IsTAvailable(int row) { return vt::IsTAvailable(d_, row); }
void Frm_Radio::AdjustP() { vt::AdjustP(d_, CurRow); }

bool Frm_Radio::AreaNamesEditable() const {
    auto f = OptionRecordFields(d_.RadioOption());
    return f && (*f)[kOptNumberArea] != "1";
}

// ------------------------------------------------------------------ bands

void Frm_Radio::SetBand(int band) {
    vt::SetBand(d_, band); // texts, limits and the blanking of out-of-band frequencies
    ShowBand(band);
}

void Frm_Radio::ShowBand(int band) {
    const bool known = band >= 0 && band < kBandCount;
    if (known) checkedBand_ = band;
    ShowBandChecks();
    if (known) {
        BandTipText = Q(d_.BandRangeText);
        ColumnTips[ColTxFreq - 1] = BandTipText + "\n" + Lng("Fradio_Tip", 2);
        ColumnTips[ColRxFreq - 1] = BandTipText + "\n" + Lng("Fradio_Tip", 3);
        if (gridCol_ == ColTxFreq || gridCol_ == ColRxFreq) ShowTip(CellTip(gridRow_, gridCol_));
    }
    ShowBandLabel();
}

void Frm_Radio::CheckAllCHFrequency() {
    vt::CheckAllCHFrequency(d_);
    ShowBandLabel();
}

void Frm_Radio::ShowBandLabel() { lbBand->setText(Lng("Fradio_Interface", 30) + Q(BandLabelSuffix(d_))); }

void Frm_Radio::ShowBandChecks() {
    for (int b = 0; b < kBandCount; ++b) Menu_Band_Item[static_cast<size_t>(b)]->setChecked(b == checkedBand_);
}

void Frm_Radio::BandItemClicked(int band) {
    // The item's own toggle is undone: only a confirmed choice moves the check mark.
    ShowBandChecks();
    if (!CommitOpenEditor()) return; // a typed frequency is judged by the band it was typed for
    // The frequencies a confirmed choice blanks are the user's edit: the save question asks for them.
    if (ui::MsgBox(BandConfirmMsg, ui::MsgButtons::OkCancel, ui::MsgIcon::None, "Tip", this) == ui::MsgResult::Ok) {
        vt::PickBand(d_, band);
        ShowBand(band);
    }
}

void Frm_Radio::Menu_Band_HF_1_Click() { BandItemClicked(0); }
void Frm_Radio::Menu_Band_HF_2_Click() { BandItemClicked(1); }
void Frm_Radio::Menu_Band_HF_3_Click() { BandItemClicked(2); }
void Frm_Radio::Menu_Band_VHF_1_Click() { BandItemClicked(3); }
void Frm_Radio::Menu_Band_VHF_2_Click() { BandItemClicked(4); }
void Frm_Radio::Menu_Band_UHF_1_Click() { BandItemClicked(5); }
void Frm_Radio::Menu_Band_UHF_2_Click() { BandItemClicked(6); }
void Frm_Radio::Menu_Band_UHF_3_Click() { BandItemClicked(7); }

// ------------------------------------------------------------------ language

void Frm_Radio::LoadLngFileOrWarn() {
    // Without its file the editor goes on with the texts it has.
    if (LoadLngFile(d_) == LngLoad::Refused) ui::MsgBox(kLngFileErrorMsg, ui::MsgButtons::Ok);
}

void Frm_Radio::SwitchLanguage(const char* code) {
    const bool eng = std::string(code) == "eng";
    Menu_English->setChecked(eng);
    Menu_Chinese->setChecked(!eng);
    d_.LangCode = code;
    ui::UseQtLanguage(eng ? ui::QtLanguage::English : ui::QtLanguage::Chinese);
    LoadLngFileOrWarn();
    LoadLanguage();
    d_.Tables.InitTblErrMsgs();
}

void Frm_Radio::Menu_English_Click() { SwitchLanguage("eng"); }
void Frm_Radio::Menu_Chinese_Click() { SwitchLanguage("chs"); }

void Frm_Radio::LoadLanguage() {
    // Entries the language file lacks come in English (Lng), so no question goes without text.
    SaveChangesMsg = Lng("Fradio_Msg", 1);
    OpenFailedMsg = Lng("Fradio_Msg", 3);
    NotNumberMsg = Lng("Fradio_Msg", 5);
    RangeInfixMsg = Lng("Fradio_Msg", 9);
    ToneRangeMsg = Lng("Fradio_Msg", 14);
    NoChannelOneMsg = Lng("Fradio_Msg", 15);
    BandConfirmMsg = Lng("Fradio_Msg", 17);

    d_.BandRangeText = BandRange(d_.BandIndex);
    BandTipText = Q(d_.BandRangeText);

    DefaultTip = Lng("Fradio_Tip", 1);
    ColumnTips[ColTxFreq - 1] = BandTipText + "\n" + Lng("Fradio_Tip", 2);
    ColumnTips[ColRxFreq - 1] = BandTipText + "\n" + Lng("Fradio_Tip", 3);
    for (int k = ColName1 - 1; k <= ColPower - 1; ++k)
        ColumnTips[static_cast<size_t>(k)] = Lng("Fradio_Tip", k + 2);

    auto lng = [this](int k, const QString& keep) {
        QString t = Lng("Fradio_Interface", k);
        return t.isEmpty() ? keep : t;
    };
    WindowTitle = lng(1, "Data Editor");
    // The language's caption is for a document not yet named; a named one keeps its name.
    if (documentNamed_)
        ShowDocumentCaption(DocumentName);
    else
        setWindowTitle(WindowTitle + lng(2, "  --  [noname.dat]"));
    SecondRxOffTip = Lng("Fradio_Tip", 17);
    NoEncodeToneTip = Lng("Fradio_Tip", 18);

    auto title = [&](QMenu* m, int k) { m->setTitle(lng(k, m->title())); };
    auto text = [&](QAction* a, int k) { a->setText(lng(k, a->text())); };
    title(Menu_File, 3);
    text(Menu_New, 4);
    text(Menu_Open, 5);
    text(Menu_Save, 6);
    text(Menu_Print, 7);
    text(Menu_Exit, 8);
    title(Menu_Option, 9);
    text(Menu_RadioOption, 10);
    text(Menu_5Tone, 11);
    text(Menu_AreaName, 12);
    title(Menu_Transfer, 13);
    text(Menu_ReadCHData, 14);
    text(Menu_WriteCHData, 15);
    text(Menu_COMPort, 16);
    text(Menu_About, 17);
    title(Help, 18);
    QToolButton* buttons[] = {NewBtn, OpenBtn, SaveBtn, OptionBtn, AreaBtn, AdBtn, ReadBtn, WriteBtn};
    for (int i = 0; i < 8; ++i) buttons[i]->setToolTip(lng(19 + i, buttons[i]->toolTip()));
    lbArea->setText(lng(27, lbArea->text()));
    text(Menu_SetUp, 28);
    SetupBtn->setToolTip(lng(28, Menu_SetUp->text()));

    ShowBandLabel();
    title(Menu_Band, 31);
    ShowTip(DefaultTip);
}

} // namespace vt
