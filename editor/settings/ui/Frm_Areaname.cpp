#include "editor/settings/ui/Frm_Areaname.h"

#include "common/ui/CellPress.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/settings/core/AreaNameRules.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace vt {

namespace {
using ui::Px;
using ui::PlaceTwips;
constexpr int kRowHeight = 20;
// The dialog's columns: the fixed area number, its "AREA No:" label, the name the user edits.
enum AreaColumn : int { AreaColNumber = 0, AreaColLabel = 1, AreaColName = 2 };

QTableWidgetItem* FixedCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}
} // namespace

Frm_Areaname::Frm_Areaname(EditorData& data, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), d_(data) {
    setObjectName("Frm_Areaname");
    ui::FitToScreen(this);
    setWindowTitle("10 Area Name Editor");
    setFixedSize(Px(4230), Px(4575));
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    PlaceTwips(Frame1, 120, 120, 3975, 4335);

    MFGArea = new QTableWidget(Frame1);
    MFGArea->setObjectName("MFGArea");
    PlaceTwips(MFGArea, 240, 360, 3495, 3255);
    MFGArea->setColumnCount(AreaColName + 1);
    MFGArea->setHorizontalHeaderLabels({"", "Area No", "Area Name"});
    MFGArea->verticalHeader()->hide();
    MFGArea->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MFGArea->setEditTriggers(QAbstractItemView::NoEditTriggers); // names are edited in txtName
    MFGArea->setSelectionMode(QAbstractItemView::SingleSelection);
    MFGArea->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    txtName = new QLineEdit(Frame1);
    txtName->setObjectName("txtName");
    txtName->setMaxLength(kAreaNameMax);
    txtName->installEventFilter(this);
    ui::OnCellBoxEscape(txtName, [this] { txtName_Escape(); }); // drops this box's typing, not the dialog's names

    Command1 = new QPushButton("OK", Frame1);
    Command1->setObjectName("Command1");
    PlaceTwips(Command1, 1680, 3720, 975, 375);
    Command2 = new QPushButton("Cancel", Frame1);
    Command2->setObjectName("Command2");
    PlaceTwips(Command2, 2760, 3720, 975, 375);
    // No default button: Return ends a name's edit, it never closes the dialog.
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    ui::OnCellPress(MFGArea, [this](const QModelIndex& i) { MFGArea_Click(i.row() + 1, i.column()); });
    connect(MFGArea->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { MFGArea_Scroll(); });
    connect(MFGArea->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { MFGArea_Scroll(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    const EditorData& d = d_;
    const int areas = AreaNameRows(d.RadioOption());
    MFGArea->setRowCount(areas);
    for (int i = 1; i <= areas; ++i) {
        QTableWidgetItem* number = FixedCell(QString::number(i));
        number->setBackground(palette().button()); // the fixed column looks like a header
        MFGArea->setItem(i - 1, AreaColNumber, number);
        MFGArea->setItem(i - 1, AreaColLabel, FixedCell("AREA No:  " + QString::number(i)));
        MFGArea->setItem(i - 1, AreaColName,
                         FixedCell(QString::fromStdString(d.AreaNames()[static_cast<size_t>(i)])));
    }
    txtName->hide();
    AreaLoadLanguage();
    FitGrid();
}

// The designed sizes were made for a smaller font. The rows get smaller, down to the font's
// height, until every area shows without scrolling; the number columns take what their texts
// need (the current column's header is drawn bold), and the name column what is left beside
// the vertical bar, or what its header needs.
void Frm_Areaname::FitGrid() {
    QHeaderView* header = MFGArea->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics headerFm(bold), cellFm(MFGArea->font());
    const int frames = 2 * MFGArea->frameWidth();

    const int rows = MFGArea->rowCount();
    const int room = MFGArea->height() - frames - header->sizeHint().height();
    const int least = cellFm.height() + 2;
    const int height = std::max(least, std::min(kRowHeight, rows > 0 ? room / rows : kRowHeight));
    MFGArea->verticalHeader()->setMinimumSectionSize(least);
    MFGArea->verticalHeader()->setDefaultSectionSize(height);
    const bool bar = rows * height > room;

    const int pad = 2 * MFGArea->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    int width = MFGArea->width() - frames -
                (bar ? MFGArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, MFGArea) : 0);
    for (int c = AreaColNumber; c < AreaColName; ++c) {
        int need = headerFm.horizontalAdvance(TextMatrix(0, c));
        for (int r = 1; r < Rows(); ++r) need = std::max(need, cellFm.horizontalAdvance(TextMatrix(r, c)));
        MFGArea->setColumnWidth(c, std::max(Px(c == AreaColNumber ? 480 : 1200), need + pad));
        width -= MFGArea->columnWidth(c);
    }
    MFGArea->setColumnWidth(AreaColName,
                            std::max(width, headerFm.horizontalAdvance(TextMatrix(0, AreaColName)) + pad));
}

int Frm_Areaname::Rows() const { return MFGArea->rowCount() + 1; }

QString Frm_Areaname::TextMatrix(int row, int col) const {
    if (row == 0) {
        auto* h = MFGArea->horizontalHeaderItem(col);
        return h ? h->text() : QString();
    }
    auto* item = MFGArea->item(row - 1, col);
    return item ? item->text() : QString();
}

void Frm_Areaname::MFGArea_Click(int row, int col) {
    row_ = row;
    col_ = col;
    if (row != 0 && col == AreaColName) StartNameEdit();
}

void Frm_Areaname::StartNameEdit() {
    QRect cell = MFGArea->visualRect(MFGArea->model()->index(row_ - 1, col_));
    QPoint topLeft = MFGArea->viewport()->mapTo(Frame1, cell.topLeft());
    txtName->setGeometry(QRect(topLeft, cell.size()));
    txtName->setText(TextMatrix(row_, col_));
    txtName->show();
    txtName->raise();
    txtName->setFocus(Qt::OtherFocusReason);
    txtName->selectAll();
}

bool Frm_Areaname::CommitName() {
    auto* item = MFGArea->item(row_ - 1, col_);
    if (!item) return true;
    // The same rule and message as the channel names: the image holds Windows-1252 bytes.
    QString field = TextMatrix(0, col_);
    if (field.isEmpty()) field = QStringLiteral("Area Name");
    CellCommit c =
        vt::CommitName(item->text().toStdString(), txtName->text().toStdString(), field.toStdString(), d_.Lang);
    if (c.Accepted) item->setText(QString::fromStdString(c.Text));
    if (c.Message) ui::MsgBox(QString::fromStdString(*c.Message), ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
    return c.Accepted;
}

void Frm_Areaname::txtName_LostFocus() {
    if (!txtName->isVisible()) return;
    CommitName();
    txtName->hide();
}

void Frm_Areaname::txtName_Return() {
    if (!txtName->isVisible()) return;
    if (!CommitName()) return; // the box stays open with the focus
    txtName->hide();
    MFGArea->setCurrentCell(row_ - 1, col_);
    MFGArea->setFocus(Qt::OtherFocusReason);
}

void Frm_Areaname::txtName_Escape() {
    txtName->hide();
    MFGArea->setCurrentCell(row_ - 1, col_);
    MFGArea->setFocus(Qt::OtherFocusReason);
}

// The name typed so far is kept before the cell moves away from under the box.
void Frm_Areaname::MFGArea_Scroll() { txtName_LostFocus(); }

bool Frm_Areaname::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtName && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtName_Return();
            return true;
        }
    }
    if (watched == txtName && event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) txtName_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Frm_Areaname::Command1_Click() {
    // An access key or Space on OK does not move the focus out of the edit box: end the edit
    // first; a name the radio cannot hold keeps the dialog open.
    if (txtName->isVisible() && !CommitName()) return;
    txtName->hide();
    std::vector<std::string> names;
    for (int i = 1; i < Rows(); ++i) names.push_back(TextMatrix(i, AreaColName).toStdString());
    d_.SetAreaNames(names); // the main window shows the current area's name anew
    accept();
}

void Frm_Areaname::Command2_Click() { reject(); }

void Frm_Areaname::AreaLoadLanguage() {
    const LanguageTexts& lang = d_.Lang;
    auto text = [&lang](int i) { return QString::fromStdString(lang.Text("Farea_Interface", i)); };
    Frame1->setTitle(text(1));
    MFGArea->setHorizontalHeaderItem(AreaColLabel, new QTableWidgetItem(text(2)));
    MFGArea->setHorizontalHeaderItem(AreaColName, new QTableWidgetItem(text(3)));
    setWindowTitle(text(4));
}

} // namespace vt
