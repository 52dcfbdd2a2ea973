// The cell editors in the main window: a whole channel row filled by mouse and keyboard, the
// grid click's tips and second-receiver rules, and the scroll.
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "editor/codec/ImageCodec.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"
#include "tests/support/qt/Screenshots.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace vt;

namespace {
void Shoot(QWidget* w, const char* name) { test::SaveScreenshot(*w, QString(name) + ".png"); }

// Brings a cell into view (a scroll of its own, which hides editors and resets the tip).
void Reveal(Frm_Radio& w, int row, int col) {
    w.MFG->scrollTo(w.MFGModel->index(row - 1, col - 1));
    QCoreApplication::processEvents();
}

// A click as a user makes it: a cell out of sight is scrolled to first; a partly visible one
// is clicked, and the grid brings it into view after the open editor has committed.
void Click(Frm_Radio& w, int row, int col) {
    QModelIndex i = w.MFGModel->index(row - 1, col - 1);
    QRect r = w.MFG->visualRect(i).intersected(w.MFG->viewport()->rect());
    if (r.width() < 4 || r.height() < 4) {
        w.MFG->scrollTo(i);
        r = w.MFG->visualRect(i).intersected(w.MFG->viewport()->rect());
    }
    QTest::mouseClick(w.MFG->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
}

void ClickLabel(Frm_Radio& w, int row) {
    QHeaderView* h = w.MFG->verticalHeader();
    w.MFG->scrollTo(w.MFGModel->index(row - 1, 0));
    QPoint p(h->width() / 2, h->sectionViewportPosition(row - 1) + h->sectionSize(row - 1) / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    QCoreApplication::processEvents();
}

void Key(QWidget* w, Qt::Key k) {
    QTest::keyClick(w, k);
    QCoreApplication::processEvents();
}

void ChooseItem(QListWidget* list, int index) {
    QListWidgetItem* item = list->item(index);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCoreApplication::processEvents();
}

bool AnyEditorVisible(const Frm_Radio& w) {
    for (QWidget* e : std::initializer_list<QWidget*>{w.TxtTxFreq, w.TxtRxFreq, w.TxtName1, w.TxtName2, w.lstCTENC,
                                                      w.lstCTDEC, w.lstDCENC, w.lstDCDEC, w.txtOtherEnc, w.txtOtherDec,
                                                      w.ComboBCLO, w.ComboSCAN, w.ComboScan2, w.Combo5Tone, w.ComboANI,
                                                      w.ComboSelCall, w.TxtCTDEV, w.TxtPower})
        if (e->isVisible()) return true;
    return false;
}
} // namespace

class CellMainWindowTest : public QObject {
    Q_OBJECT
    ui::ScriptedMessageBox boxes_;
    std::unique_ptr<ui::ScopedMessageBox> scope_;
    std::unique_ptr<EditorData> d_;
    std::unique_ptr<Frm_Radio> w_;

    std::string Cell(int r, int c) const { return d_->MFG.TextMatrix(r, c); }

private slots:
    void initTestCase() { qputenv("VELTRA_HOME", VELTRA_APP_DIR); }
    void init() {
        boxes_.clear();
        scope_ = std::make_unique<ui::ScopedMessageBox>(&boxes_);
        d_ = std::make_unique<EditorData>();
        w_ = std::make_unique<Frm_Radio>(*d_);
        w_->show();
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QVERIFY(boxes_.texts().isEmpty());
    }
    void cleanup() {
        w_.reset();
        d_.reset();
        scope_.reset();
    }

    void fillsAWholeRowByMouseAndKeyboard() {
        Frm_Radio& w = *w_;
        Click(w, 3, 1);
        QTest::keyClicks(w.TxtTxFreq, "55.0199");
        Key(w.TxtTxFreq, Qt::Key_Return);
        QTest::keyClicks(w.TxtRxFreq, "55.5");
        Key(w.TxtRxFreq, Qt::Key_Return);
        QTest::keyClicks(w.TxtName1, "GATE");
        Key(w.TxtName1, Qt::Key_Return);
        QTest::keyClicks(w.TxtName2, "North entrance");
        Shoot(&w, "cell_mainwindow_name_open");
        Key(w.TxtName2, Qt::Key_Return);
        QVERIFY(!AnyEditorVisible(w));

        Click(w, 3, 5);
        QVERIFY(w.lstCTENC->isVisible());
        QCOMPARE(w.Tip->text(), w.ColumnTips[4]);
        Shoot(&w, "cell_mainwindow_tone_list_open");
        ChooseItem(w.lstCTENC, 9); // 88.5
        Click(w, 3, 6);
        Key(w.lstCTDEC, Qt::Key_Down);
        Key(w.lstCTDEC, Qt::Key_Return); // 67.0
        QCOMPARE(Cell(3, 5), std::string("88.5"));
        QCOMPARE(Cell(3, 6), std::string("67.0"));
        // A code takes the place of the tone of its direction: the record holds one of them.
        Click(w, 3, 7);
        ChooseItem(w.lstDCENC, 1); // 023
        Click(w, 3, 8);
        ChooseItem(w.lstDCDEC, 104); // 754

        Click(w, 3, 9);
        QVERIFY(w.ComboBCLO->isVisible());
        Key(w.ComboBCLO, Qt::Key_Down); // YES
        Shoot(&w, "cell_mainwindow_combo_open");
        Click(w, 3, 10); // BCL commits on the focus loss; SCAN opens
        QVERIFY(w.ComboSCAN->isVisible());
        QTest::keyClicks(w.ComboSCAN, "TS");
        Key(w.ComboSCAN, Qt::Key_Tab); // commits before the grid scrolls on
        Click(w, 3, 11);
        QTest::keyClicks(w.Combo5Tone, "APM");
        Key(w.Combo5Tone, Qt::Key_Tab);
        Click(w, 3, 12);
        Key(w.ComboANI, Qt::Key_Down); // L
        Key(w.ComboANI, Qt::Key_Tab);
        Click(w, 3, 13);
        QTest::keyClicks(w.ComboSelCall, "12");
        Key(w.ComboSelCall, Qt::Key_Tab);
        Click(w, 3, 14);
        QCOMPARE(w.TxtCTDEV->selectedText(), QString("250"));
        QTest::keyClicks(w.TxtCTDEV, "300");
        Key(w.TxtCTDEV, Qt::Key_Return);
        QVERIFY(w.TxtPower->isVisible());
        QTest::keyClicks(w.TxtPower, "40");
        Key(w.TxtPower, Qt::Key_Return);
        QVERIFY(!AnyEditorVisible(w));

        const char* expected[] = {"",     "55.0125", "55.5000", "GATE", "North entrance", "",     "",     "023",
                                  "754",  "YES",     "TS",      "APM",  "L",              "12",   "300",  "40"};
        for (int c = 1; c <= 15; ++c) QVERIFY2(Cell(3, c) == expected[c], qPrintable(QString("column %1: %2").arg(c).arg(QString::fromStdString(Cell(3, c)))));
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(d_->IsModified());
        QCOMPARE(w.lbcurArea->text(), QString("1"));
    }

    // A DCS channel's deviation byte holds other values than the nine steps: an opened 420 is
    // not changed by opening and leaving its editor, and a typed value becomes the one a save keeps.
    void dcsDeviationKeepsWhatItsByteHolds() {
        Frm_Radio& w = *w_;
        d_->SetCell(4, ColDcsEnc, "023", RecordWrite::Quiet); // as an opened file has them
        d_->SetCell(4, ColCtDev, "420", RecordWrite::Quiet);
        Click(w, 4, 14);
        QVERIFY(w.TxtCTDEV->isVisible());
        Click(w, 4, 3); // the focus moves on
        QCOMPARE(Cell(4, 14), std::string("420"));
        Click(w, 4, 14);
        Key(w.TxtCTDEV, Qt::Key_Escape);
        QCOMPARE(Cell(4, 14), std::string("420"));
        Click(w, 4, 14);
        w.TxtCTDEV->selectAll();
        QTest::keyClicks(w.TxtCTDEV, "176");
        Key(w.TxtCTDEV, Qt::Key_Return);
        QCOMPARE(Cell(4, 14), std::string("180"));
        QVERIFY(boxes_.texts().isEmpty());
    }

    void clickMarksDataChangedAndShowsTheColumnTip() {
        Frm_Radio& w = *w_;
        QVERIFY(!d_->IsModified());
        ClickLabel(w, 5);
        QVERIFY(d_->IsModified());
        QVERIFY(!AnyEditorVisible(w));
        QCOMPARE(w.Tip->text(), w.DefaultTip);

        d_->ClearModified();
        Click(w, 5, 3);
        QVERIFY(w.TxtName1->isVisible());
        QCOMPARE(w.Tip->text(), w.ColumnTips[2]);
        Click(w, 6, 15);
        QCOMPARE(Cell(5, 3), std::string("5")); // left without a change
        QVERIFY(d_->IsModified());
        QCOMPARE(w.Tip->text(), w.ColumnTips[14]);
    }

    void secondReceiverRowOpensOnlyItsColumns() {
        Frm_Radio& w = *w_;
        const int last = d_->MFG.Rows() - 1;
        Click(w, last, 5);
        QVERIFY(w.lstCTENC->isVisible());
        QCOMPARE(w.Tip->text(), w.ColumnTips[4]);
        QCOMPARE(w.lbcurArea->text(), QString());
        ChooseItem(w.lstCTENC, 9); // 88.5: a deviation is stored with it
        for (int col : {6, 8, 9, 10, 12, 13}) {
            Reveal(w, last, col);
            const QString tip = w.Tip->text();
            Click(w, last, col);
            QVERIFY2(!AnyEditorVisible(w), qPrintable(QString::number(col)));
            QCOMPARE(w.Tip->text(), tip); // unchanged by the click
        }
        // Its Rx word comes from the second receiver's settings while that is off.
        Click(w, last, 2);
        QVERIFY(!AnyEditorVisible(w));
        QCOMPARE(w.Tip->text(), w.SecondRxOffTip);
        for (int col : {1, 3, 4, 7, 11, 14, 15}) {
            Click(w, last, col);
            QVERIFY2(AnyEditorVisible(w), qPrintable(QString::number(col)));
            QCOMPARE(w.Tip->text(), w.ColumnTips[static_cast<size_t>(col - 1)]);
        }
    }

    void scrollingHidesTheEditorAndShowsTheDefaultTip() {
        Frm_Radio& w = *w_;
        Click(w, 2, 2);
        QVERIFY(w.TxtRxFreq->isVisible());
        QTest::keyClicks(w.TxtRxFreq, "57");
        w.MFG->verticalScrollBar()->setValue(w.MFG->verticalScrollBar()->value() + 5);
        QCoreApplication::processEvents();
        QVERIFY(!w.TxtRxFreq->isVisible());
        QCOMPARE(w.Tip->text(), w.DefaultTip);
        QCOMPARE(Cell(2, 2), std::string("57.0000")); // committed, not dropped
    }

    void outOfBandShowsTheBandAndKeepsTheBox() {
        Frm_Radio& w = *w_;
        Click(w, 4, 1);
        QTest::keyClicks(w.TxtTxFreq, "60.0001");
        Key(w.TxtTxFreq, Qt::Key_Return);
        QCOMPARE(boxes_.texts(), QStringList{"53 -- 60 MHz"});
        QVERIFY(w.TxtTxFreq->isVisible());
        QVERIFY(w.TxtTxFreq->text().isEmpty());
        QTest::keyClicks(w.TxtTxFreq, "60");
        Key(w.TxtTxFreq, Qt::Key_Return);
        QCOMPARE(Cell(4, 1), std::string("60.0000"));
        QVERIFY(w.TxtRxFreq->isVisible());
        QCOMPARE(w.GetDCSIndex("754"), 103);
    }

    void priorityScanClearsTheAreasOtherPriority() {
        Frm_Radio& w = *w_;
        d_->SetCell(3, 10, "TP", RecordWrite::Quiet);
        Click(w, 2, 10);
        QTest::keyClicks(w.ComboSCAN, "P");
        Key(w.ComboSCAN, Qt::Key_Tab);
        QCOMPARE(Cell(2, 10), std::string("P"));
        QCOMPARE(Cell(3, 10), std::string("T"));
        QVERIFY(!w.ComboSCAN->isVisible());
        QCOMPARE(w.ComboSCAN->currentText(), QString("NO"));
    }

    // An editor left open across New must not write into the new data set.
    void newDataSetClosesTheOpenEditor() {
        Frm_Radio& w = *w_;
        Click(w, 2, 4);
        QTest::keyClicks(w.TxtName2, "old data");
        d_->ClearModified(); // no save question
        w.Menu_New_Click();
        QVERIFY(!w.TxtName2->isVisible());
        Click(w, 5, 3);
        QCOMPARE(Cell(2, 4), std::string(""));
        QVERIFY(w.TxtName1->isVisible());
    }

    // The old toolbar buttons took the focus, so the open editor committed before the command.
    void toolbarSaveTakesTheOpenEditorsValue() {
        Frm_Radio& w = *w_;
        ui::ScriptedFileDialog files;
        ui::ScopedFileDialog fileScope(&files);
        QTemporaryDir dir;
        files.answer(dir.filePath("row.dat"));
        d_->SetCell(1, 2, "55.5000", RecordWrite::Quiet);
        Click(w, 1, 1);
        QTest::keyClicks(w.TxtTxFreq, "54");
        QTest::mouseClick(w.SaveBtn, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(Cell(1, 1), std::string("54.0000"));
        QVERIFY(!w.TxtTxFreq->isVisible());
        QVERIFY(QFile::exists(dir.filePath("row.dat")));

        EditorData back;
        BuildGrid(back);
        back.MemImage = d_->MemImage;
        DecodeImage(back.MemImage, LoadCodecTables(back.Tables, back.VolTables, TablesFor::Decode), ImageSource::File,
                    back);
        QCOMPARE(back.MFG.TextMatrix(1, 1), std::string("54.0000"));
        QCOMPARE(back.MFG.TextMatrix(1, 2), std::string("55.5000"));
    }
};

QTEST_MAIN(CellMainWindowTest)
#include "tst_cell_mainwindow.moc"
