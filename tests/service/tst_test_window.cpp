// The test window's buttons through real clicks, with their list lines and files.
#include "common/ui/MessageBox.h"
#include "editor/service/ui/Form1.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/qt/Screenshots.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

class TestWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vt::test::ProgramHome> program_;
    fs::path home_;
    vt::ui::ScriptedMessageBox boxes_;
    std::unique_ptr<vt::ui::ScopedMessageBox> scope_;
    std::unique_ptr<vt::EditorData> data_;
    std::unique_ptr<vt::Form1> w_;

    QStringList Items() const {
        QStringList out;
        for (int i = 0; i < w_->lstResult->count(); ++i) out << w_->lstResult->item(i)->text();
        return out;
    }
    QByteArray FileText(const char* name) const {
        QFile f(QString::fromStdString((home_ / name).string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init() {
        program_ = std::make_unique<vt::test::ProgramHome>("veltra-testwin");
        home_ = program_->Path();
        boxes_.clear();
        scope_ = std::make_unique<vt::ui::ScopedMessageBox>(&boxes_);
        data_ = std::make_unique<vt::EditorData>();
        w_ = std::make_unique<vt::Form1>(*data_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        scope_.reset();
        program_.reset();
    }

    void designCaptions() {
        QCOMPARE(w_->windowTitle(), QString("Form1"));
        QCOMPARE(w_->txtCt->text(), QString("Text1"));
        QCOMPARE(w_->btnStart->text(), QString("start"));
        QCOMPARE(w_->Command1->text(), QString("Active"));
        QCOMPARE(w_->AdjustRxFreq("145.0125"), QString("145.0083"));
        QCOMPARE(w_->AdjustRxFreq("145"), QString("145.0000"));
    }

    void startListsAndWritesTheRaster() {
        QTest::mouseClick(w_->btnStart, Qt::LeftButton);
        QCOMPARE(boxes_.texts(), QStringList{"finish!"});
        const QStringList items = Items();
        QCOMPARE(items.size(), 10000);
        QCOMPARE(items.first(), QString("0.00011-------------------0.0000"));
        const QByteArray file = FileText("test1.txt");
        QCOMPARE(file.count("\r\n"), 10000);
        QVERIFY(file.startsWith("0.00011-------------------0.0000\r\n"));
    }

    void testWriteSnapsTheGridAndArChTestListsIt() {
        data_->SetCell(1, 1, "145.0125", vt::RecordWrite::Quiet);
        data_->SetCell(1, 3, "ALPHA", vt::RecordWrite::Quiet);
        QTest::mouseClick(w_->btnWrite, Qt::LeftButton);
        QCOMPARE(boxes_.texts(), QStringList{"finish!"});
        QCOMPARE(w_->lstResult->count(), 240);
        QVERIFY(Items().filter(QRegularExpression(".")).isEmpty());
        QCOMPARE(FileText("test2.txt"), QByteArray("\r\n").repeated(240));
        w_->lstResult->clear();
        QTest::mouseClick(w_->ArChTest, Qt::LeftButton);
        const QStringList items = Items();
        QCOMPARE(items.size(), 105);
        QString expected = "0";
        for (int j = 1; j <= 14; ++j) expected += "|" + QString::fromStdString(data_->MFG.TextMatrix(1, j));
        QCOMPARE(items[1], expected);
        QVERIFY(items[1].startsWith("0|145.0125||ALPHA|"));
    }

    void writeFailureIsReported() {
        fs::create_directories(home_ / "test1.txt"); // a folder where the file should go
        QTest::mouseClick(w_->btnStart, Qt::LeftButton);
        QCOMPARE(boxes_.texts().size(), 1);
        QVERIFY(boxes_.texts()[0] != "finish!");
    }

    void fileLoadsTheImageOrRefuses() {
        data_->MemImage.fill(0x33);
        QTest::mouseClick(w_->cmdFileTest, Qt::LeftButton);
        QCOMPARE(boxes_.texts().size(), 1); // missing
        QCOMPARE(w_->lstResult->count(), 0);
        QCOMPARE(int(data_->MemImage[5]), 0x33);

        { std::ofstream(home_ / "radio.bin", std::ios::binary) << std::string(100, '\x01'); }
        boxes_.clear();
        QTest::mouseClick(w_->cmdFileTest, Qt::LeftButton);
        QCOMPARE(boxes_.texts().size(), 1); // short
        QCOMPARE(int(data_->MemImage[5]), 0x33);

        std::string image(16001, '\x00');
        image[0] = '\xAB';
        image[1] = '\x0F';
        { std::ofstream(home_ / "radio.bin", std::ios::binary) << image; }
        boxes_.clear();
        QTest::mouseClick(w_->cmdFileTest, Qt::LeftButton);
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(w_->lstResult->count(), 16001);
        QCOMPARE(w_->lstResult->item(0)->text(), QString("AB"));
        QCOMPARE(w_->lstResult->item(1)->text(), QString("F"));
        QCOMPARE(w_->lstResult->item(2)->text(), QString("0"));
        QCOMPARE(int(data_->MemImage[0]), 0xAB);
        QCOMPARE(int(data_->MemImage[5]), 0);
    }

    void smallChecksAppendTheirLines() {
        QTest::mouseClick(w_->Command2, Qt::LeftButton);
        QCOMPARE(w_->lstResult->count(), 1922);
        QCOMPARE(w_->lstResult->item(0)->text(), QString("67====67"));
        w_->lstResult->clear();
        QTest::mouseClick(w_->atBtn, Qt::LeftButton);
        QCOMPARE(Items(), QStringList{"-1"});
        w_->txtCt->clear();
        QTest::keyClicks(w_->txtCt, "112");
        QTest::mouseClick(w_->Command3, Qt::LeftButton);
        QCOMPARE(Items(), (QStringList{"-1", "1R2"}));
        const auto before = data_->MemImage;
        QTest::mouseClick(w_->Command1, Qt::LeftButton);
        QCOMPARE(Items().size(), 2);
        QVERIFY(before == data_->MemImage);
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(vt::test::SaveScreenshot(*w_, "test_window.png"));
    }
};

QTEST_MAIN(TestWindowTest)
#include "tst_test_window.moc"
