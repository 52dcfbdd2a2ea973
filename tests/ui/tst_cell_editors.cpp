// The cell editors driven through real widgets on a bare grid window: clicks on cells, typing,
// Enter, Tab and list choices, with message boxes answered through the seam.
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/CellEditors.h"
#include "tests/support/qt/Screenshots.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

namespace {

using vt::EditorData;

// Grid cell (r, c) is model cell (r - 1, c - 1), headers aside.
class Model : public QAbstractTableModel, public vt::GridListener {
public:
    explicit Model(vt::ChannelGrid& g) : g_(g) { g_.setListener(this); }
    ~Model() override { g_.setListener(nullptr); }
    int rowCount(const QModelIndex& = {}) const override { return g_.Rows() - 1; }
    int columnCount(const QModelIndex& = {}) const override { return g_.Cols() - 1; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return QString::fromStdString(g_.TextMatrix(i.row() + 1, i.column() + 1));
    }
    void gridReset() override {
        beginResetModel();
        endResetModel();
    }
    void cellChanged(int r, int c) override {
        QModelIndex i = index(r - 1, c - 1);
        emit dataChanged(i, i);
    }

private:
    vt::ChannelGrid& g_;
};

// A window with the grid and the editors, dispatching clicks as the main window does.
class GridWindow : public QWidget, public vt::CellEditorHost {
public:
    explicit GridWindow(EditorData& d) : d_(d), model_(d.MFG) {
        resize(1000, 600);
        view = new QTableView(this);
        view->setObjectName("MFG");
        view->setModel(&model_);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setGeometry(10, 40, 980, 540);
        vt::CellEditorWidgets w;
        auto line = [this](QLineEdit*& p, const char* name) {
            p = new QLineEdit(this);
            p->setObjectName(name);
        };
        auto list = [this](QListWidget*& p, const char* name) {
            p = new QListWidget(this);
            p->setObjectName(name);
        };
        auto combo = [this](QComboBox*& p, const char* name) {
            p = new QComboBox(this);
            p->setObjectName(name);
        };
        line(w.TxtTxFreq, "TxtTxFreq");
        line(w.TxtRxFreq, "TxtRxFreq");
        line(w.TxtName1, "TxtName1");
        line(w.TxtName2, "TxtName2");
        list(w.lstCTENC, "lstCTENC");
        list(w.lstCTDEC, "lstCTDEC");
        list(w.lstDCENC, "lstDCENC");
        list(w.lstDCDEC, "lstDCDEC");
        line(w.txtOtherEnc, "txtOtherEnc");
        line(w.txtOtherDec, "txtOtherDec");
        combo(w.ComboBCLO, "ComboBCLO");
        combo(w.ComboSCAN, "ComboSCAN");
        combo(w.ComboScan2, "ComboScan2");
        combo(w.Combo5Tone, "Combo5Tone");
        combo(w.ComboANI, "ComboANI");
        combo(w.ComboSelCall, "ComboSelCall");
        line(w.TxtCTDEV, "TxtCTDEV");
        line(w.TxtPower, "TxtPower");
        widgets = w;
        cells = new vt::CellEditors(d_, *this, w, this);
        for (QWidget* c : findChildren<QWidget*>())
            if (c != view && c->parentWidget() == this) c->installEventFilter(cells);
        connect(view, &QTableView::clicked, this, [this](const QModelIndex& i) {
            row_ = i.row() + 1;
            col_ = i.column() + 1;
            MFG_Click();
        });
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { cells->HideForScroll(); });
    }

    QRect GridRect() override { return view->geometry(); }
    QRect CellRect(int row, int col) override {
        QRect r = view->visualRect(model_.index(row - 1, col - 1));
        return r.translated(view->viewport()->mapTo(this, QPoint(0, 0)));
    }
    void MoveToCell(int row, int col) override {
        row_ = row;
        col_ = col;
        view->setCurrentIndex(model_.index(row - 1, col - 1));
    }
    void MFG_Click() override {
        if (cells->HoldsFocus()) {
            cells->ReturnFocus();
            return;
        }
        cells->Open(row_, col_);
        cells->HideTonesExcept(col_);
    }

    // A real click on a grid cell, scrolled into view first.
    void click(int row, int col) {
        QModelIndex i = model_.index(row - 1, col - 1);
        view->scrollTo(i);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(i).center());
        QCoreApplication::processEvents();
    }

    QTableView* view = nullptr;
    vt::CellEditors* cells = nullptr;
    vt::CellEditorWidgets widgets;

private:
    EditorData& d_;
    Model model_;
    int row_ = 1, col_ = 1;
};

std::string Cell(const EditorData& d, int r, int c) { return d.MFG.TextMatrix(r, c); }

void Key(QWidget* w, Qt::Key k) {
    QTest::keyClick(w, k);
    QCoreApplication::processEvents();
}

// Typed key by key; characters beyond Latin-1 arrive as key events with text only.
void Type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(w, ch.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

void Shoot(QWidget* w, const char* name) { vt::test::SaveScreenshot(*w, QString(name) + ".png"); }

} // namespace

class CellEditorsTest : public QObject {
    Q_OBJECT

    vt::ui::ScriptedMessageBox boxes_;
    std::unique_ptr<vt::ui::ScopedMessageBox> scope_;
    std::unique_ptr<EditorData> d_;
    std::unique_ptr<GridWindow> w_;

    const vt::CellEditorWidgets& W() { return w_->widgets; }

private slots:
    void init() {
        scope_ = std::make_unique<vt::ui::ScopedMessageBox>(&boxes_);
        boxes_.clear();
        d_ = std::make_unique<EditorData>();
        vt::BuildGrid(*d_);
        vt::SetBand(*d_, 3); // 135 -- 175 MHz
        d_->Lang.Set("Fradio_Msg", 5, "Not a number!");
        d_->Lang.Set("Fradio_Msg", 9, " range: ");
        d_->Lang.Set("Fradio_Msg", 14, "Tone out of range!");
        w_ = std::make_unique<GridWindow>(*d_);
        w_->show();
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup() {
        w_.reset();
        d_.reset();
        scope_.reset();
    }

    void enterRunsTxRxNameChain() {
        w_->click(1, 1);
        QVERIFY(W().TxtTxFreq->isVisible());
        QVERIFY(W().TxtTxFreq->hasFocus());
        Type(W().TxtTxFreq, "145.113");
        Key(W().TxtTxFreq, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 1, 1), std::string("145.1125"));
        QVERIFY(!W().TxtTxFreq->isVisible());
        QVERIFY(W().TxtRxFreq->isVisible());
        QVERIFY(W().TxtRxFreq->hasFocus());
        Type(W().TxtRxFreq, "146.0125");
        Key(W().TxtRxFreq, Qt::Key_Enter);
        QCOMPARE(Cell(*d_, 1, 2), std::string("146.0125"));
        // ID line1 opens with the row's default text all selected: typing replaces it.
        QVERIFY(W().TxtName1->isVisible());
        QCOMPARE(W().TxtName1->selectedText(), QString("1"));
        Type(W().TxtName1, "BASE-ONE-X"); // two characters too many
        QCOMPARE(W().TxtName1->text(), QString("BASE-ONE"));
        Key(W().TxtName1, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 1, 3), std::string("BASE-ONE"));
        QVERIFY(W().TxtName2->isVisible());
        Type(W().TxtName2, "North gate");
        Key(W().TxtName2, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 1, 4), std::string("North gate"));
        for (QWidget* e : w_->findChildren<QWidget*>())
            if (e != w_->view && e->parentWidget() == w_.get()) QVERIFY2(!e->isVisible(), qPrintable(e->objectName()));
        QVERIFY(boxes_.texts().isEmpty());
    }

    void frequencyRefusedOnEnterKeepsTheBoxEmpty() {
        d_->SetCell(2, 1, "150.0000", vt::RecordWrite::Quiet);
        w_->click(2, 1);
        Type(W().TxtTxFreq, "abc");
        Key(W().TxtTxFreq, Qt::Key_Return);
        QCOMPARE(boxes_.texts(), QStringList{"Not a number!"});
        QCOMPARE(Cell(*d_, 2, 1), std::string("150.0000"));
        QVERIFY(W().TxtTxFreq->isVisible());
        QVERIFY(W().TxtTxFreq->text().isEmpty());
        QVERIFY(!W().TxtRxFreq->isVisible());

        Type(W().TxtTxFreq, "175.0001");
        Key(W().TxtTxFreq, Qt::Key_Return);
        QCOMPARE(boxes_.texts().last(), QString("135 -- 175 MHz"));
        QCOMPARE(Cell(*d_, 2, 1), std::string("150.0000"));

        // Blanks clear the frequency and move on.
        Type(W().TxtTxFreq, "   ");
        Key(W().TxtTxFreq, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 2, 1), std::string(""));
        QVERIFY(W().TxtRxFreq->isVisible());
    }

    void frequencyRefusedOnFocusLossHoldsTheFocus() {
        d_->SetCell(3, 2, "150.0000", vt::RecordWrite::Quiet);
        w_->click(3, 2);
        W().TxtRxFreq->selectAll();
        Type(W().TxtRxFreq, "200");
        w_->click(5, 3); // another cell: the box refuses and keeps the focus
        QCoreApplication::processEvents();
        QCOMPARE(boxes_.texts(), QStringList{"135 -- 175 MHz"});
        QCOMPARE(Cell(*d_, 3, 2), std::string("150.0000"));
        QVERIFY(W().TxtRxFreq->isVisible());
        QVERIFY(W().TxtRxFreq->hasFocus());
        QVERIFY(!W().TxtName1->isVisible());
        // A good value then goes into the box's own cell, not into the one clicked.
        Type(W().TxtRxFreq, "160");
        Key(W().TxtRxFreq, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 3, 2), std::string("160.0000"));
        QCOMPARE(Cell(*d_, 5, 3), std::string("5"));
        QVERIFY(!W().TxtRxFreq->isVisible());
    }

    void tabCommitsANameAndRefusesWhatTheRadioCannotHold() {
        w_->click(4, 3);
        Type(W().TxtName1, "Caf\u00e9");
        Key(W().TxtName1, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 4, 3), std::string("Caf\xC3\xA9"));
        QVERIFY(!W().TxtName1->isVisible());

        w_->click(4, 4);
        Type(W().TxtName2, QString::fromUtf8("\xD0\x96ora"));
        Key(W().TxtName2, Qt::Key_Return);
        QCOMPARE(boxes_.texts().size(), 1);
        QVERIFY(boxes_.texts()[0].contains("ID line2."));
        QCOMPARE(Cell(*d_, 4, 4), std::string(""));
        QVERIFY(W().TxtName2->isVisible()); // left open to be mended
        W().TxtName2->setText("Zora");
        Key(W().TxtName2, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 4, 4), std::string("Zora"));
    }

    void toneListChoosesByMouseAndKeyboard() {
        d_->SetCell(6, 5, "100.0", vt::RecordWrite::Quiet);
        w_->click(6, 5);
        QListWidget* list = W().lstCTENC;
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(Cell(*d_, 6, 5), std::string("100.0")); // the preselection writes nothing
        Shoot(w_.get(), "cell_tone_list_open");
        QListWidgetItem* item = list->item(9); // 88.5
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QCOMPARE(Cell(*d_, 6, 5), std::string("88.5"));
        QVERIFY(!list->isVisible());

        w_->click(6, 6);
        Key(W().lstCTDEC, Qt::Key_Down);
        Key(W().lstCTDEC, Qt::Key_Down);
        QCOMPARE(Cell(*d_, 6, 6), std::string("")); // moving is no choice
        Key(W().lstCTDEC, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 6, 6), std::string("69.4"));

        // Another column's click hides an open list without writing.
        w_->click(6, 7);
        QVERIFY(W().lstDCENC->isVisible());
        w_->click(6, 3);
        QVERIFY(!W().lstDCENC->isVisible());
        QCOMPARE(Cell(*d_, 6, 7), std::string(""));
        Key(W().TxtName1, Qt::Key_Escape);
    }

    void otherOpensTheCustomToneBox() {
        d_->SetCell(7, 5, "88.5", vt::RecordWrite::Quiet);
        w_->click(7, 5);
        Key(W().lstCTENC, Qt::Key_End);
        Key(W().lstCTENC, Qt::Key_Return); // "OTHER"
        QLineEdit* custom = W().txtOtherEnc;
        QVERIFY(custom->isVisible());
        QVERIFY(custom->hasFocus());
        QCOMPARE(custom->text(), QString("88.5"));
        QVERIFY(custom->selectedText().isEmpty());
        QCOMPARE(Cell(*d_, 7, 5), std::string("88.5"));
        Shoot(w_.get(), "cell_custom_tone_open");
        custom->clear();
        Type(custom, "201");
        Key(custom, Qt::Key_Return); // Enter does not commit this box
        QVERIFY(custom->isVisible());
        Key(custom, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 7, 5), std::string("201.0"));
        QVERIFY(!custom->isVisible());

        w_->click(7, 5);
        Key(W().lstCTENC, Qt::Key_End);
        Key(W().lstCTENC, Qt::Key_Return);
        custom->clear();
        Type(custom, "66.9");
        w_->click(7, 3);
        QCoreApplication::processEvents();
        QCOMPARE(boxes_.texts(), QStringList{"Tone out of range!"});
        QCOMPARE(Cell(*d_, 7, 5), std::string("201.0"));
        QVERIFY(!custom->isVisible());
    }

    void secondReceiverRowOpensOnlyItsEditors() {
        const int last = d_->MFG.Rows() - 1;
        for (int col : {6, 8, 9, 10, 12, 13}) {
            w_->click(last, col);
            for (QWidget* e : w_->findChildren<QWidget*>())
                if (e != w_->view && e->parentWidget() == w_.get())
                    QVERIFY2(!e->isVisible(), qPrintable(QString("column %1: %2").arg(col).arg(e->objectName())));
        }
        w_->click(last, 7);
        QVERIFY(W().lstDCENC->isVisible());
        QTest::mouseClick(W().lstDCENC->viewport(), Qt::LeftButton, {},
                          W().lstDCENC->visualItemRect(W().lstDCENC->item(1)).center());
        QCOMPARE(Cell(*d_, last, 7), std::string("023"));
        w_->click(last, 11);
        QVERIFY(W().Combo5Tone->isVisible());
    }

    void combosStoreOnlyTheirItems() {
        // BCL: picked from the drop-down, stored when the combo loses the focus.
        w_->click(8, 9);
        QComboBox* bcl = W().ComboBCLO;
        QVERIFY(bcl->isVisible());
        QVERIFY(bcl->currentText().isEmpty());
        Shoot(w_.get(), "cell_combo_open");
        bcl->setCurrentIndex(1);
        Key(bcl, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 8, 9), std::string("YES"));
        QVERIFY(!bcl->isVisible());
        QCOMPARE(bcl->currentText(), QString("NO"));

        // A typed text that is no item is refused with a word, left by a click or by Tab; the cell
        // keeps its value and the combo closes.
        d_->SetCell(8, 13, "12", vt::RecordWrite::Quiet);
        d_->SetCell(8, 11, "A", vt::RecordWrite::Quiet);
        d_->SetCell(8, 12, "L", vt::RecordWrite::Quiet);
        const QString notAnItem = QString::fromStdString(d_->Lang.Text("Fradio_Msg", 22));
        const struct {
            QComboBox* combo;
            int col;
            const char* typed;
            bool byClick;
            const char* kept;
        } refused[] = {{W().ComboSelCall, 13, "300", true, "12"}, {W().ComboSelCall, 13, "7x", false, "12"},
                       {W().Combo5Tone, 11, "MA", false, "A"},    {W().ComboANI, 12, "LT", true, "L"},
                       {W().ComboBCLO, 9, "X", false, "YES"}};
        for (const auto& r : refused) {
            boxes_.clear();
            w_->click(8, r.col);
            QVERIFY(r.combo->hasFocus());
            Type(r.combo, r.typed);
            if (r.byClick) {
                w_->click(8, 3);
                Key(W().TxtName1, Qt::Key_Escape);
            } else {
                Key(r.combo, Qt::Key_Tab);
            }
            QVERIFY2(Cell(*d_, 8, r.col) == r.kept, r.typed);
            QCOMPARE(boxes_.texts(), QStringList{"\"" + QString(r.typed) + "\"" + notAnItem});
            QVERIFY(!r.combo->isVisible());
        }
        boxes_.clear();
        w_->click(8, 13);
        W().ComboSelCall->lineEdit()->selectAll();
        Type(W().ComboSelCall, "100");
        Key(W().ComboSelCall, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 8, 13), std::string("100"));

        // "NO" empties the cell.
        w_->click(8, 9);
        QCOMPARE(W().ComboBCLO->currentText(), QString("YES"));
        W().ComboBCLO->setCurrentIndex(0);
        Key(W().ComboBCLO, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 8, 9), std::string(""));
    }

    void scanComboFollowsTheTrunkRowsAndThePriorityRule() {
        d_->SetCell(3, 10, "TP", vt::RecordWrite::Quiet);
        w_->click(2, 10);
        QComboBox* scan = W().ComboSCAN;
        QVERIFY(scan->isVisible());
        QCOMPARE(scan->count(), 6);
        QCOMPARE(scan->itemText(5), QString("TP"));
        Type(scan, "P");
        Key(scan, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 2, 10), std::string("P"));
        QCOMPARE(Cell(*d_, 3, 10), std::string("T")); // the newest priority channel wins

        w_->click(17, 10);
        QVERIFY(W().ComboScan2->isVisible());
        QVERIFY(!scan->isVisible());
        Type(W().ComboScan2, "TS"); // no trunk on the 17th channel
        Key(W().ComboScan2, Qt::Key_Tab);
        QCOMPARE(Cell(*d_, 17, 10), std::string(""));
        QCOMPARE(boxes_.texts(), QStringList{"\"TS\"" + QString::fromStdString(d_->Lang.Text("Fradio_Msg", 22))});
    }

    void ctDevEnterOpensPowerAndPowerRefusals() {
        w_->click(9, 14);
        QCOMPARE(W().TxtCTDEV->selectedText(), QString("250"));
        Type(W().TxtCTDEV, "99");
        Key(W().TxtCTDEV, Qt::Key_Return);
        QCOMPARE(boxes_.texts(), QStringList{"Deviation range: 100--500"});
        QCOMPARE(W().TxtCTDEV->text(), QString("250"));
        QVERIFY(W().TxtCTDEV->isVisible());
        W().TxtCTDEV->setText("250.9");
        Key(W().TxtCTDEV, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 9, 14), std::string("250"));
        QVERIFY(W().TxtPower->isVisible());
        QVERIFY(W().TxtPower->hasFocus());
        W().TxtPower->setText("51");
        Key(W().TxtPower, Qt::Key_Return);
        QCOMPARE(boxes_.texts().last(), QString("Power range: 1--50watt"));
        QCOMPARE(W().TxtPower->text(), QString("25"));
        W().TxtPower->clear();
        Key(W().TxtPower, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 9, 15), std::string("50"));
        QVERIFY(!W().TxtPower->isVisible());
    }

    void refusedPowerNeverWritesIntoALaterCell() {
        d_->SetCell(10, 15, "30", vt::RecordWrite::Quiet);
        w_->click(10, 15);
        W().TxtPower->setText("0");
        w_->click(11, 14); // focus loss: refused, and the box goes away
        QCoreApplication::processEvents();
        QCOMPARE(boxes_.texts().size(), 1);
        QCOMPARE(Cell(*d_, 10, 15), std::string("30"));
        QVERIFY(!W().TxtPower->isVisible());
        QVERIFY(W().TxtCTDEV->isVisible());
        W().TxtCTDEV->setText("300");
        Key(W().TxtCTDEV, Qt::Key_Return); // opens Power on row 11
        W().TxtPower->setText("40");
        Key(W().TxtPower, Qt::Key_Return);
        QCOMPARE(Cell(*d_, 11, 14), std::string("300"));
        QCOMPARE(Cell(*d_, 11, 15), std::string("40"));
        QCOMPARE(Cell(*d_, 10, 15), std::string("30"));
        QCOMPARE(Cell(*d_, 10, 14), std::string("250"));
    }

    void scrollingHidesEditorsButNotTheCustomToneBox() {
        d_->SetCell(1, 1, "150.0000", vt::RecordWrite::Quiet);
        w_->click(1, 1);
        Type(W().TxtTxFreq, "160");
        w_->view->verticalScrollBar()->setValue(20);
        QCoreApplication::processEvents();
        QVERIFY(!W().TxtTxFreq->isVisible());
        QCOMPARE(Cell(*d_, 1, 1), std::string("160.0000")); // a scroll commits, as a focus loss does
        QVERIFY(boxes_.texts().isEmpty());

        w_->view->verticalScrollBar()->setValue(0);
        w_->click(2, 6);
        Key(W().lstCTDEC, Qt::Key_End);
        Key(W().lstCTDEC, Qt::Key_Return);
        QVERIFY(W().txtOtherDec->isVisible());
        w_->view->verticalScrollBar()->setValue(10);
        QVERIFY(W().txtOtherDec->isVisible());
    }
};

QTEST_MAIN(CellEditorsTest)
#include "tst_cell_editors.moc"
