#include "editor/service/ui/FrmTRxVoltage.h"

#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/image/VoltageTables.h"
#include "editor/service/core/NumberText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vt {

namespace {
using ui::Px;
using ui::PlaceTwips;
// The tab strip sits above the page that holds the controls.
constexpr int kPageTop = 360;
constexpr int kTxShift = 5040;

const char* const kTabCaptions[8] = {"HF 32 -- 49 MHZ",    "HF 53 -- 60 MHZ",    "HF 66 -- 88 MHZ",
                                     "VHF 135 -- 175 MHZ", "VHF 220 -- 260 MHZ", "UHF 350 -- 390 MHZ",
                                     "UHF 400 -- 490 MHZ", "UHF 470 -- 520 MHZ"};
const char* const kTxRangeMsg = "The Data must between 12 to 75!";
const char* const kRxRangeMsg = "The Data must between 0 to 62!";
const char* const kNotDataMsg = "it is not data!";

int Band(int table) { return table / 2; }
int Kind(int table) { return table % 2; }

// A step the table files can hold exactly: 0.001 to 25.599 MHz in whole thousandths.
bool AcceptableStep(const std::string& text, double* value) {
    const auto v = ToDouble(text);
    if (!v || !std::isfinite(*v)) return false;
    const double thousandths = *v * 1000;
    if (std::fabs(thousandths - std::round(thousandths)) > 1e-6) return false;
    if (!IsValidVolStep(*v)) return false;
    *value = *v;
    return true;
}
} // namespace

FrmTRxVoltage::FrmTRxVoltage(VoltageTables& tables, QWidget* parent) : QDialog(parent), vt_(tables) {
    setObjectName("FrmTRxVoltage");
    ui::FitToScreen(this);
    setWindowTitle("TxVoltage_RxVoltage Setting");
    setFont(QFont("Arial", 9));
    setFixedSize(Px(10155), Px(8910));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    PlaceTwips(SSTab1, 0, 120, 10095, 8175);
    for (int b = 0; b < 8; ++b) BuildTab(b);

    const char* captions[3] = {"&Save", "save&Quit", "&Cancel"};
    const int lefts[3] = {5520, 7080, 8520};
    for (int i = 0; i < 3; ++i) {
        Command1[i] = new QPushButton(captions[i], this);
        Command1[i]->setObjectName(QString("Command1_%1").arg(i));
        PlaceTwips(Command1[i], lefts[i], 8400, 1215, 495);
        Command1[i]->setAutoDefault(false);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Form_Load();
}

void FrmTRxVoltage::BuildTab(int band) {
    auto* page = new QWidget;
    page->setObjectName(QString("SSTab1_%1").arg(band));
    SSTab1->addTab(page, kTabCaptions[band]);
    for (int kind = 0; kind < 2; ++kind) {
        const int t = 2 * band + kind;
        const int dx = kind * kTxShift;
        Label2[t] = new QLabel("Step(MHz)", page);
        Label2[t]->setObjectName(QString("Label2_%1").arg(t));
        PlaceTwips(Label2[t], 1800 + dx, 840 - kPageTop, 960, 330);
        Text2[t] = new QLineEdit(page);
        Text2[t]->setObjectName(QString("Text2_%1").arg(t));
        Text2[t]->setMaxLength(5);
        PlaceTwips(Text2[t], 2760 + dx, 840 - kPageTop, 1335, 330);
        Text2[t]->installEventFilter(this);
        Frame1[t] = new QGroupBox(kind == 0 ? "RxVoltage" : "TxVoltage", page);
        Frame1[t]->setObjectName(QString("Frame1_%1").arg(t));
        PlaceTwips(Frame1[t], 120 + dx, 1200 - kPageTop, 4455, 6810);
        VScroll1[t] = new QScrollBar(Qt::Vertical, page);
        VScroll1[t]->setObjectName(QString("VScroll1_%1").arg(t));
        PlaceTwips(VScroll1[t], 4560 + dx, 1320 - kPageTop, 375, 6735);
        VScroll1[t]->setPageStep(1);
        connect(VScroll1[t], &QScrollBar::valueChanged, this, [this, t] { VScroll1_Change(t); });
    }
}

void FrmTRxVoltage::BuildGrid() {
    if (Text1[0]) return; // the rows exist already
    for (int t = 0; t < kTables; ++t) {
        for (int r = 0; r < kRows; ++r) {
            const int k = kRows * t + r;
            const int line = r / 2;
            const bool right = r % 2 == 1;
            Label1[k] = new QLabel(Frame1[t]);
            Label1[k]->setObjectName(QString("Label1_%1").arg(k));
            PlaceTwips(Label1[k], right ? 2344 : 120, 330 + 380 * line, 1200, 225);
            Text1[k] = new QLineEdit(Frame1[t]);
            Text1[k]->setObjectName(QString("Text1_%1").arg(k));
            Text1[k]->setMaxLength(2);
            PlaceTwips(Text1[k], right ? 3720 : 1560, 300 + 380 * line, 495, 330);
            Text1[k]->installEventFilter(this);
        }
    }
    // The tab order follows the rows, left to right, then the next line.
    for (int k = 1; k < kTables * kRows; ++k)
        if (k % kRows != 0) setTabOrder(Text1[k - 1], Text1[k]);
}

void FrmTRxVoltage::Form_Load() {
    FirstShowFlag = true;
    vt_.InitBandLimits();
    const std::vector<std::string> errors = vt_.LoadVoltageTables();
    vt_.CopyLoadedSteps();
    BuildGrid();
    ShowTables(0);
    if (!errors.empty()) {
        QStringList lines;
        for (const auto& e : errors) lines << QString::fromStdString(e);
        ui::MsgBox(lines.join('\n'), ui::MsgButtons::Ok, ui::MsgIcon::Warning, QString(), this);
    }
}

QString FrmTRxVoltage::StepText(int table) const {
    return QString::fromStdString(NumberText(vt_.WorkStep[Band(table)][Kind(table)]));
}

void FrmTRxVoltage::ShowTables(int index) {
    (void)index; // the changed table has been re-laid already (ChangeWorkStep)
    if (FirstShowFlag) {
        FirstShowFlag = false;
        vt_.CalcWorkLayout();
        vt_.InitWorkData();
    }
    for (int t = 0; t < kTables; ++t) {
        const int b = Band(t), kind = Kind(t);
        const int count = vt_.WorkCount[b][kind];
        const double step = vt_.WorkStep[b][kind];
        const double low = vt_.AllBandLimits[b][0];
        Text2[t]->setText(StepText(t));
        for (int r = 0; r < kRows; ++r) {
            const int k = kRows * t + r;
            const bool shown = r < count;
            Label1[k]->setVisible(shown);
            Text1[k]->setVisible(shown);
            if (!shown) continue;
            Label1[k]->setText(QString::fromStdString(NumberText(low + r * step)) + "MHz");
            const size_t at = static_cast<size_t>(vt_.WorkOffset[b][kind] + r);
            Text1[k]->setText(at < vt_.WorkVolData.size() ? QString::number(vt_.WorkVolData[at]) : "0");
        }
        QScrollBar* bar = VScroll1[t];
        const bool scrolls = kind == 0 ? count > kRows : count >= kRows;
        QSignalBlocker quiet(bar); // the rows were just filled from point 0
        if (scrolls) {
            const int beyond = count - kRows;
            bar->setMaximum((beyond + beyond % 2) / 2);
        }
        bar->setValue(0);
        bar->setVisible(scrolls);
        shownPos_[static_cast<size_t>(t)] = 0;
    }
}

void FrmTRxVoltage::ScrollTable(int index, int value) {
    const int b = Band(index), kind = Kind(index);
    const int count = vt_.WorkCount[b][kind];
    shownPos_[static_cast<size_t>(index)] = value;
    const int first = 2 * value;
    int last = first + kRows - 1;
    const int lastRow = kRows * index + kRows - 1;
    if (last + 1 <= count) {
        Label1[lastRow]->setVisible(true);
        Text1[lastRow]->setVisible(true);
    } else {
        Label1[lastRow]->setVisible(false);
        Text1[lastRow]->setVisible(false);
        last = count - 1;
    }
    const double step = vt_.WorkStep[b][kind];
    const double low = vt_.AllBandLimits[b][0];
    for (int p = first; p <= last; ++p) {
        const int k = kRows * index + (p - first);
        const size_t at = static_cast<size_t>(vt_.WorkOffset[b][kind] + p);
        Text1[k]->setText(at < vt_.WorkVolData.size() ? QString::number(vt_.WorkVolData[at]) : "0");
        Label1[k]->setText(QString::fromStdString(NumberText(low + p * step)) + "MHz");
    }
}

void FrmTRxVoltage::VScroll1_Change(int index) {
    // A value typed into this table is stored at its point before the rows move on.
    if (!CommitFocusedBox(index)) {
        QSignalBlocker quiet(VScroll1[index]);
        VScroll1[index]->setValue(shownPos_[static_cast<size_t>(index)]);
        return;
    }
    ScrollTable(index, VScroll1[index]->value());
}

bool FrmTRxVoltage::CommitFocusedBox(int onlyTable) {
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!box || !box->isVisible()) return true;
    const auto step = std::find(Text2.begin(), Text2.end(), box);
    if (step != Text2.end()) {
        const int t = static_cast<int>(step - Text2.begin());
        return onlyTable >= 0 ? true : Text2_LostFocus(t);
    }
    const auto value = std::find(Text1.begin(), Text1.end(), box);
    if (value == Text1.end()) return true;
    const int k = static_cast<int>(value - Text1.begin());
    if (onlyTable >= 0 && k / kRows != onlyTable) return true;
    return Text1_LostFocus(k);
}

bool FrmTRxVoltage::KeyPasses(bool allowPoint, QKeyEvent* key) {
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
        return false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter moves on like Tab, so the box is checked.
        focusNextChild();
        return false;
    }
    const QString text = key->text();
    for (QChar c : text) {
        const ushort code = c.unicode();
        if (code > 127) return false;
        if (code >= 32 && code <= 126 && !c.isDigit() && !(allowPoint && c == '.')) return false;
    }
    return true;
}

bool FrmTRxVoltage::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    const int step = static_cast<int>(std::find(Text2.begin(), Text2.end(), box) - Text2.begin());
    const bool isStep = step < kTables;
    if (event->type() == QEvent::KeyPress) {
        if (!KeyPasses(isStep, static_cast<QKeyEvent*>(event))) return true;
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (isStep) Text2_LostFocus(step);
            else Text1_LostFocus(static_cast<int>(std::find(Text1.begin(), Text1.end(), box) - Text1.begin()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmTRxVoltage::Refuse(QLineEdit* box, const QString& message, const QString& resetText) {
    ui::MsgBox(message, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    box->setText(resetText);
    // The focus goes back once the focus change that triggered the check is over.
    QTimer::singleShot(0, box, [box] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    });
}

bool FrmTRxVoltage::Text1_LostFocus(int index) {
    if (index < 0 || index >= kTables * kRows) return true;
    const int t = index / kRows, r = index % kRows;
    const int b = Band(t), kind = Kind(t);
    QLineEdit* box = Text1[index];
    const bool tx = kind == 1;
    const long long lo = tx ? 12 : 0, hi = tx ? 75 : 62;
    // Text that is not a number (pasted) is refused like one out of range.
    const auto value = ToWhole(Trim(box->text().toStdString()));
    if (!value || *value < lo || *value > hi) {
        Refuse(box, tx ? kTxRangeMsg : kRxRangeMsg, tx ? "12" : "0");
        return false;
    }
    const size_t at = static_cast<size_t>(vt_.WorkOffset[b][kind] + 2 * shownPos_[static_cast<size_t>(t)] + r);
    if (at < vt_.WorkVolData.size()) vt_.WorkVolData[at] = static_cast<uint8_t>(*value);
    return true;
}

bool FrmTRxVoltage::Text2_LostFocus(int index) {
    QLineEdit* box = Text2[index];
    double step = 0;
    if (!AcceptableStep(box->text().toStdString(), &step)) {
        Refuse(box, kNotDataMsg, StepText(index));
        return false;
    }
    const int b = Band(index), kind = Kind(index);
    // "0.50" for a step of 0.5 is no change: the table keeps its points.
    if (RoundVolStep(step) == vt_.WorkStep[b][kind]) {
        box->setText(StepText(index));
        return true;
    }
    if (vt_.ChangeWorkStep(index, step)) ShowTables(index);
    return true;
}

bool FrmTRxVoltage::SaveAndReload() {
    const std::vector<std::string> failed = vt_.SaveVoltageTables();
    if (!failed.empty()) {
        QStringList lines;
        for (const auto& e : failed) lines << QString::fromStdString(e);
        ui::MsgBox(lines.join('\n'), ui::MsgButtons::Ok, ui::MsgIcon::Critical, QString(), this);
        return false;
    }
    // The channel encoder uses what was saved from now on.
    vt_.LoadVoltageTables();
    return true;
}

void FrmTRxVoltage::Command1_Click(int index) {
    // Save by its access key: the box being typed in still holds the focus and its value.
    if (index != 2 && !CommitFocusedBox()) return;
    switch (index) {
    case 0:
        SaveAndReload();
        break;
    case 1:
        if (SaveAndReload()) accept();
        break;
    default:
        reject();
        break;
    }
}

} // namespace vt
