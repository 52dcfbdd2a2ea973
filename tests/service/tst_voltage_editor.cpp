// The voltage table editor through its widgets, on table files of the test's own.
#include "common/ui/MessageBox.h"
#include "editor/image/VoltageTables.h"
#include "editor/service/ui/FrmTRxVoltage.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/Screenshots.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

// Steps per table (band, kind) in thousandths of a MHz; 1000 unless listed.
int StepOf(int band, int kind) {
    if (band == 0 && kind == 1) return 500;  // 35 points
    if (band == 1) return 210;               // 34 points, both kinds
    if (band == 2 && kind == 0) return 100;  // 221 points
    return 1000;
}
uint8_t PointOf(int band, int kind, int j) {
    return kind == 0 ? static_cast<uint8_t>((j + band) % 63) : static_cast<uint8_t>(12 + (j + band) % 64);
}
fs::path FileOf(const fs::path& home, int band, int kind) {
    return home / "Resource" / ((kind ? "TX_VOL" : "RX_VOL") + std::to_string(band) + ".tbl");
}
Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace

class VoltageEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vt::test::TempDir> dir_;
    fs::path home_;
    vt::ui::ScriptedMessageBox boxes_;
    std::unique_ptr<vt::ui::ScopedMessageBox> scope_;
    std::unique_ptr<vt::VoltageTables> tables_;

    void WriteTables() {
        fs::create_directories(home_ / "Resource");
        vt::VoltageTables layout;
        for (int b = 0; b < 8; ++b)
            for (int kind = 0; kind < 2; ++kind) {
                const int m = StepOf(b, kind);
                Bytes out{static_cast<uint8_t>(m / 100), static_cast<uint8_t>(m % 100)};
                const int n = layout.PointCount(b, m / 1000.0);
                for (int j = 0; j < n; ++j) out.push_back(PointOf(b, kind, j));
                std::ofstream(FileOf(home_, b, kind), std::ios::binary)
                    .write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
            }
    }
    std::unique_ptr<vt::FrmTRxVoltage> Open() {
        auto w = std::make_unique<vt::FrmTRxVoltage>(*tables_);
        w->show();
        w->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(w.get())); }();
        return w;
    }
    // Types into a box and leaves it with Tab.
    static void Enter(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    int Work(int band, int kind, int point) const {
        return tables_->WorkVolData[size_t(tables_->WorkOffset[band][kind] + point)];
    }
    void Shot(QWidget& w, const char* name) {
        QVERIFY(vt::test::SaveScreenshot(w, name));
    }

private slots:
    void init() {
        dir_ = std::make_unique<vt::test::TempDir>("veltra-voltage");
        home_ = dir_->Path();
        WriteTables();
        boxes_.clear();
        scope_ = std::make_unique<vt::ui::ScopedMessageBox>(&boxes_);
        tables_ = std::make_unique<vt::VoltageTables>();
        tables_->Folder = home_;
    }
    void cleanup() {
        scope_.reset();
        dir_.reset();
    }

    void opensWithEveryTableFromPointZero() {
        auto w = Open();
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(w->windowTitle(), QString("TxVoltage_RxVoltage Setting"));
        QCOMPARE(w->SSTab1->count(), 8);
        QCOMPARE(w->SSTab1->tabText(0), QString("HF 32 -- 49 MHZ"));
        QCOMPARE(w->SSTab1->tabText(7), QString("UHF 470 -- 520 MHZ"));
        QCOMPARE(w->Frame1[0]->title(), QString("RxVoltage"));
        QCOMPARE(w->Frame1[1]->title(), QString("TxVoltage"));
        QCOMPARE(w->Command1[1]->text(), QString("save&Quit"));
        // Band 0 Rx, step 1: 18 points, no scroll bar.
        QCOMPARE(w->Text2[0]->text(), QString("1"));
        QVERIFY(w->Text1[17]->isVisible() && !w->Text1[18]->isVisible() && !w->Label1[33]->isVisible());
        QVERIFY(!w->VScroll1[0]->isVisible());
        QCOMPARE(w->Label1[0]->text(), QString("32MHz"));
        QCOMPARE(w->Label1[17]->text(), QString("49MHz"));
        QCOMPARE(w->Text1[5]->text(), QString::number(PointOf(0, 0, 5)));
        // Band 0 Tx, step 0.5: 35 points, one line to scroll.
        QCOMPARE(w->Text2[1]->text(), QString("0.5"));
        QVERIFY(w->VScroll1[1]->isVisible());
        QCOMPARE(w->VScroll1[1]->maximum(), 1);
        QCOMPARE(w->Label1[34 + 3]->text(), QString("33.5MHz"));
        // Exactly 34 points: the Rx bar is hidden, the Tx bar shown with nothing to scroll.
        QCOMPARE(w->Text2[2]->text(), QString("0.21"));
        QVERIFY(!w->VScroll1[2]->isHidden() == false);
        QVERIFY(!w->VScroll1[3]->isHidden());
        QCOMPARE(w->VScroll1[3]->maximum(), 0);
        QVERIFY(!w->Text1[2 * 34 + 33]->isHidden());
        QCOMPARE(w->Label1[2 * 34 + 33]->text(), QString("59.93MHz"));
        Shot(*w, "voltage_editor.png");
        w->SSTab1->setCurrentIndex(2);
        Shot(*w, "voltage_editor_band2.png");
    }

    void scrollingMovesTheRowsOverThePoints() {
        auto w = Open();
        w->VScroll1[1]->setValue(1);
        QCOMPARE(w->Label1[34]->text(), QString("33MHz")); // row 0 shows point 2
        QCOMPARE(w->Text1[34 + 32]->text(), QString::number(PointOf(0, 1, 34)));
        QVERIFY(w->Text1[34 + 33]->isHidden());
        w->VScroll1[1]->setValue(0);
        QVERIFY(!w->Text1[34 + 33]->isHidden());

        // Band 2 Rx (221 points): at position 5 row 3 is point 13.
        w->SSTab1->setCurrentIndex(2);
        QScrollBar* bar = w->VScroll1[4];
        QCOMPARE(bar->maximum(), (221 - 34 + 1) / 2);
        for (int i = 0; i < 5; ++i) QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(bar->value(), 5);
        QCOMPARE(w->Label1[4 * 34 + 3]->text(), QString("67.3MHz"));
        Enter(w->Text1[4 * 34 + 3], "40");
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(Work(2, 0, 13), 40);
        QCOMPARE(Work(2, 0, 3), int(PointOf(2, 0, 3)));
    }

    void valueBoxesKeepTheirLimits() {
        auto w = Open();
        QLineEdit* tx = w->Text1[34 + 4]; // band 0 Tx, point 4
        const int before = Work(0, 1, 4);
        Enter(tx, "7");
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 12 to 75!"});
        QCOMPARE(tx->text(), QString("12"));
        QCOMPARE(Work(0, 1, 4), before); // not stored until the box is left again
        QTRY_VERIFY(tx->hasFocus());
        QCOMPARE(tx->selectedText(), QString("12"));
        QTest::keyClick(tx, Qt::Key_Tab);
        QCOMPARE(Work(0, 1, 4), 12);
        boxes_.clear();
        Enter(tx, "76");
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 12 to 75!"});
        boxes_.clear();
        Enter(tx, "75");
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(Work(0, 1, 4), 75);

        QLineEdit* rx = w->Text1[2];
        Enter(rx, "63");
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 0 to 62!"});
        QCOMPARE(rx->text(), QString("0"));
        boxes_.clear();
        Enter(rx, "");
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 0 to 62!"});
        boxes_.clear();
        rx->setFocus();
        rx->setText("x1"); // pasted past the key filter
        QTest::keyClick(rx, Qt::Key_Tab);
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 0 to 62!"});
    }

    void keyFilterTakesDigitsOnly() {
        auto w = Open();
        QLineEdit* box = w->Text1[0];
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, "4a.-");
        QCOMPARE(box->text(), QString("4"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString());
        QTest::keyClicks(box, "19");
        QTest::keyClick(box, Qt::Key_Return); // moves on and checks
        QVERIFY(!box->hasFocus());
        QCOMPARE(Work(0, 0, 0), 19);

        QLineEdit* step = w->Text2[0];
        step->setFocus();
        step->selectAll();
        QTest::keyClicks(step, "0.5x");
        QCOMPARE(step->text(), QString("0.5"));
    }

    void stepChangeRelaysOnlyThatTable() {
        auto w = Open();
        const Bytes before = tables_->WorkVolData;
        Enter(w->Text2[0], "0.5");
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(tables_->WorkCount[0][0], 35);
        for (int j = 0; j < 35; ++j) QCOMPARE(Work(0, 0, j), 0);
        QVERIFY(!w->VScroll1[0]->isHidden());
        QCOMPARE(w->VScroll1[0]->maximum(), 1);
        QCOMPARE(w->Label1[1]->text(), QString("32.5MHz"));
        QCOMPARE(w->Text1[1]->text(), QString("0"));
        // Every later table keeps its points, 17 places further on.
        QVERIFY(std::equal(before.begin() + 18, before.end(), tables_->WorkVolData.begin() + 35));
        const Bytes loaded = tables_->LoadedVolData;

        // The same step written otherwise changes nothing.
        Enter(w->Text1[3], "9");
        Enter(w->Text2[0], "0.50");
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(Work(0, 0, 3), 9);
        QCOMPARE(w->Text2[0]->text(), QString("0.5"));
        QVERIFY(tables_->LoadedVolData == loaded); // the loaded copy is never touched
    }

    void refusedStepsLeaveTheStep_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "0";
        QTest::newRow("too large") << "25.6";
        QTest::newRow("four decimals") << ".0005";
        QTest::newRow("point") << ".";
        QTest::newRow("empty") << "";
    }
    void refusedStepsLeaveTheStep() {
        QFETCH(QString, text);
        auto w = Open();
        const Bytes before = tables_->WorkVolData;
        Enter(w->Text2[1], text);
        QCOMPARE(boxes_.texts(), QStringList{"it is not data!"});
        QCOMPARE(w->Text2[1]->text(), QString("0.5"));
        QCOMPARE(tables_->WorkStep[0][1], 0.5);
        QVERIFY(tables_->WorkVolData == before);
        QTRY_VERIFY(w->Text2[1]->hasFocus());
        boxes_.clear();
        QTest::keyClick(w->Text2[1], Qt::Key_Tab); // the restored step is no change
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(tables_->WorkVolData == before);
    }

    void largerStepResetsTheScrollPosition() {
        auto w = Open();
        w->SSTab1->setCurrentIndex(2);
        w->VScroll1[4]->setValue(7);
        Enter(w->Text2[4], "1");
        QCOMPARE(tables_->WorkCount[2][0], 23);
        QCOMPARE(w->VScroll1[4]->value(), 0);
        QVERIFY(w->VScroll1[4]->isHidden());
        Enter(w->Text1[4 * 34 + 2], "33");
        QCOMPARE(Work(2, 0, 2), 33);
    }

    void saveWritesAndReloads() {
        auto w = Open();
        Enter(w->Text1[34 + 6], "70");
        Enter(w->Text2[14], "2"); // band 7 Rx: 26 points
        Enter(w->Text1[14 * 34 + 1], "61");
        QTest::mouseClick(w->Command1[0], Qt::LeftButton);
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(w->isVisible());
        const Bytes tx0 = ReadAll(FileOf(home_, 0, 1));
        QCOMPARE(int(tx0[0]), 5);
        QCOMPARE(int(tx0[2 + 6]), 70);
        const Bytes rx7 = ReadAll(FileOf(home_, 7, 0));
        QCOMPARE(rx7.size(), size_t(2 + 26));
        QCOMPARE(int(rx7[0]), 20);
        QCOMPARE(int(rx7[2 + 1]), 61);
        // The loaded copy now holds what was saved.
        QCOMPARE(tables_->LoadedStep[7][0], 2.0);
        QVERIFY(tables_->LoadedVolData == tables_->WorkVolData);
        QCOMPARE(int(tables_->LoadedVolData[size_t(tables_->GetTableOffset(0, 1) + 6)]), 70);
        // The window keeps its display.
        QCOMPARE(w->Text1[14 * 34 + 1]->text(), QString("61"));
    }

    void saveAndQuitWritesReloadsAndCloses() {
        auto w = Open();
        Enter(w->Text1[3], "44");
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(int(ReadAll(FileOf(home_, 0, 0))[2 + 3]), 44);
        QCOMPARE(int(tables_->LoadedVolData[3]), 44);
        // A fresh opening shows the file.
        auto again = Open();
        QCOMPARE(again->Text1[3]->text(), QString("44"));
    }

    // Typed but not left: what an access key or a click on a scroll bar finds.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QVERIFY(box->hasFocus());
    }

    void accessKeysSaveTheValueBeingTyped() {
        auto w = Open();
        Type(w->Text1[3], "44");
        QTest::keyClick(w->Text1[3], Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(int(ReadAll(FileOf(home_, 0, 0))[2 + 3]), 44);
        QVERIFY(w->isVisible());
        QCOMPARE(int(tables_->LoadedVolData[3]), 44);
        QVERIFY(boxes_.texts().isEmpty());

        // A step typed and saved at once re-lays its table before the files are written.
        w->SSTab1->setCurrentIndex(7);
        Type(w->Text2[14], "2"); // band 7 Rx: 26 points
        QTest::keyClick(w->Text2[14], Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(ReadAll(FileOf(home_, 7, 0)).size(), size_t(2 + 26));

        // A refused value is not saved: the message shows and the box keeps the focus.
        const Bytes tx0 = ReadAll(FileOf(home_, 0, 1));
        w->SSTab1->setCurrentIndex(0);
        Type(w->Text1[34 + 4], "7");
        QTest::keyClick(w->Text1[34 + 4], Qt::Key_Q, Qt::AltModifier);
        QTRY_COMPARE(boxes_.texts(), QStringList{"The Data must between 12 to 75!"});
        QTest::qWait(50);
        QVERIFY(w->isVisible());
        QVERIFY(ReadAll(FileOf(home_, 0, 1)) == tx0);
        QTRY_VERIFY(w->Text1[34 + 4]->hasFocus());

        Type(w->Text1[34 + 4], "70");
        QTest::keyClick(w->Text1[34 + 4], Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(int(ReadAll(FileOf(home_, 0, 1))[2 + 4]), 70);
    }

    void aClickOnTheScrollBarKeepsTheValueBeingTyped() {
        auto w = Open();
        w->SSTab1->setCurrentIndex(2);
        QScrollBar* bar = w->VScroll1[4]; // band 2 Rx, 221 points
        QLineEdit* row3 = w->Text1[4 * 34 + 3];
        const int point5 = Work(2, 0, 5);
        Type(row3, "40");
        const QPoint belowHandle(bar->width() / 2, bar->height() - bar->width() - 4);
        QTest::mouseClick(bar, Qt::LeftButton, {}, belowHandle);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(Work(2, 0, 3), 40);
        QCOMPARE(row3->text(), QString::number(point5)); // row 3 now shows point 5
        QTest::keyClick(row3, Qt::Key_Tab);
        QCOMPARE(Work(2, 0, 5), point5);
        QCOMPARE(Work(2, 0, 3), 40);
        QVERIFY(boxes_.texts().isEmpty());

        // Typed after the scroll: the point the row shows.
        Type(row3, "41");
        QTest::mouseClick(bar, Qt::LeftButton, {}, belowHandle);
        QCOMPARE(bar->value(), 2);
        QCOMPARE(Work(2, 0, 5), 41);

        // Refused: the rows stay where they were, the box keeps the reset text and the focus.
        Type(row3, "63");
        QTest::mouseClick(bar, Qt::LeftButton, {}, belowHandle);
        QCOMPARE(boxes_.texts(), QStringList{"The Data must between 0 to 62!"});
        QCOMPARE(bar->value(), 2);
        QCOMPARE(row3->text(), QString("0"));
        QCOMPARE(w->Label1[4 * 34 + 3]->text(), QString("66.7MHz"));
        QTRY_VERIFY(row3->hasFocus());
    }

    void cancelLeavesFilesAndLoadedTables() {
        const Bytes file = ReadAll(FileOf(home_, 0, 0));
        auto w = Open();
        const Bytes loaded = tables_->LoadedVolData;
        Enter(w->Text1[3], "44");
        Enter(w->Text2[2], "1");
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QVERIFY(ReadAll(FileOf(home_, 0, 0)) == file);
        QVERIFY(tables_->LoadedVolData == loaded);
        auto again = Open();
        QCOMPARE(again->Text1[3]->text(), QString::number(PointOf(0, 0, 3)));
        QCOMPARE(again->Text2[2]->text(), QString("0.21"));
    }

    void failedSaveKeepsTheWindowAndTheWork() {
        auto w = Open();
        Enter(w->Text1[3], "44");
        // A folder where a table file should be: that file cannot be written.
        fs::remove(FileOf(home_, 3, 1));
        fs::create_directories(FileOf(home_, 3, 1));
        const Bytes loaded = tables_->LoadedVolData;
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QCOMPARE(boxes_.texts().size(), 1);
        QVERIFY(boxes_.texts()[0].contains("TX_VOL3"));
        QVERIFY(w->isVisible());
        QCOMPARE(Work(0, 0, 3), 44);
        QVERIFY(tables_->LoadedVolData == loaded);
    }

    void missingFilesAreReportedOnOpening() {
        fs::remove(FileOf(home_, 5, 0));
        auto w = Open();
        QCOMPARE(boxes_.texts().size(), 1);
        QVERIFY(boxes_.texts()[0].contains("RX_VOL5"));
        QCOMPARE(w->Text1[10 * 34]->text(), QString("0"));
    }
};

QTEST_MAIN(VoltageEditorTest)
#include "tst_voltage_editor.moc"
