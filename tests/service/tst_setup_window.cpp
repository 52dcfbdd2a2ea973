// The setup window driven through its widgets: the manual setup boxes and the command panel on
// a pseudo-terminal.
#include "common/ui/MessageBox.h"
#include "editor/codec/ImageCodec.h"
#include "editor/service/ui/frmMain.h"
#include "editor/dataset/LngFile.h"
#include "editor/dataset/EditorData.h"
#include "tests/sim/SimRadio.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/qt/Screenshots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <pty.h>
#include <unistd.h>

namespace fs = std::filesystem;
using vt::ui::ScriptedMessageBox;

class SetupWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vt::test::ProgramHome> program_;
    fs::path home_;
    ScriptedMessageBox boxes_;
    std::unique_ptr<vt::ui::ScopedMessageBox> scope_;

    void Show(vt::frmMain& w) {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    void Tick(vt::frmMain& w) {
        if (!w.Check1->isChecked()) QTest::mouseClick(w.Check1, Qt::LeftButton, {}, QPoint(5, w.Check1->height() / 2));
        QVERIFY(w.Check1->isChecked());
    }
    // Types into a box and leaves it with Tab, as a user does.
    void Enter(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        QVERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void Screenshot(QWidget& w, const char* name) {
        QVERIFY(vt::test::SaveScreenshot(w, name));
    }

private slots:
    void init() {
        program_ = std::make_unique<vt::test::ProgramHome>("veltra-setupwin");
        home_ = program_->Path();
        fs::create_directories(home_ / "ports");
        boxes_.clear();
        scope_ = std::make_unique<vt::ui::ScopedMessageBox>(&boxes_);
    }
    void cleanup() {
        scope_.reset();
        program_.reset();
    }

    void opensIdleWithTheCurrentBytes() {
        vt::EditorData data;
        data.Setup3C00 = 7;
        data.Setup3C01 = 200;
        vt::frmMain w(data);
        Show(w);
        QCOMPARE(w.Text1->text(), QString("7"));
        QCOMPARE(w.Text2->text(), QString("200"));
        QCOMPARE(w.Text3->text(), QString("32"));
        QVERIFY(!w.Text1->isVisible());
        QVERIFY(w.cmdManualSend->isEnabled());
        QVERIFY(w.selSetupType->isEnabled());
        QVERIFY(!w.cmdClose->isEnabled() && !w.cmdTransmit->isEnabled());
        QVERIFY(!w.cmdup->isEnabled() && !w.cmddown->isEnabled());
        QVERIFY(!w.txtInputHex->isVisible());
        QCOMPARE(w.selSetupType->count(), 3);
        Tick(w);
        QVERIFY(w.Text1->isVisible() && w.ls3->isVisible());
        QCOMPARE(data.ManualSetupFlag, 1);
        Screenshot(w, "setup_window.png");
    }

    void languageTextsReplaceTheDesign() {
        vt::EditorData data;
        data.Lang.Set("Fmain_Interface", 1, "开始");
        data.Lang.Set("Fmain_Interface", 8, "设置");
        data.Lang.Set("Fmain_Interface", 13, "设置类型 2");
        vt::frmMain w(data);
        QCOMPARE(w.windowTitle(), QString("设置"));
        QCOMPARE(w.cmdManualSend->text(), QString("开始"));
        QCOMPARE(w.cmdClose->text(), QString("Close")); // not given: the design text stays
        QCOMPARE(w.selSetupType->itemText(1), QString("设置类型 2"));
    }

    // The shipped language files give every text the window reads.
    void shippedLanguageFiles() {
        for (const char* file : {"English.lng", "Chinese.lng"}) {
            vt::EditorData data;
            vt::LoadLngFile(data.Lang, fs::path(VELTRA_SOURCE_DIR) / "data" / "Language" / file);
            for (int i : {1, 2, 3, 4, 8, 11, 12, 13, 14})
                QVERIFY2(!data.Lang.Get("Fmain_Interface", i).empty(), file);
            for (int i = 1; i <= 4; ++i) QVERIFY2(!data.Lang.Get("Fmain_Msg", i).empty(), file);
            vt::frmMain w(data);
            Show(w);
            QCOMPARE(w.selSetupType->count(), 3);
            QCOMPARE(w.windowTitle(), QString::fromStdString(data.Lang.Get("Fmain_Interface", 8)));
            QCOMPARE(w.selSetupType->itemText(2), QString::fromStdString(data.Lang.Get("Fmain_Interface", 14)));
            Screenshot(w, QString("setup_window_%1.png").arg(file).toLatin1().constData());
        }
    }

    void refusedValuesResetTheBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero") << "0" << "incorrect value!";
        QTest::newRow("256") << "256" << "incorrect value!";
        QTest::newRow("-5") << "-5" << "incorrect value!";
        QTest::newRow("letters") << "ab" << "input number";
        QTest::newRow("blanks") << "   " << "no value!";
    }
    void refusedValuesResetTheBox() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        vt::EditorData data;
        vt::frmMain w(data);
        Show(w);
        Tick(w);
        for (QLineEdit* box : {w.Text1, w.Text2, w.Text3}) {
            boxes_.clear();
            Enter(box, text);
            QCOMPARE(boxes_.texts(), QStringList{message});
            QCOMPARE(box->text(), QString("32"));
        }
    }

    void acceptedValuesReachTheData() {
        vt::EditorData data;
        vt::frmMain w(data);
        Show(w);
        Tick(w);
        Enter(w.Text1, "1");
        Enter(w.Text2, "255");
        Enter(w.Text3, "100");
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(w.close());
        QCOMPARE(int(data.Setup3C00), 1);
        QCOMPARE(int(data.Setup3C01), 255);
        QCOMPARE(int(data.Setup3C02), 100);
    }

    void theBytesReachTheEncodedImage() {
        vt::EditorData data;
        vt::frmMain w(data);
        Show(w);
        Tick(w);
        Enter(w.Text1, "1");
        Enter(w.Text2, "255");
        Enter(w.Text3, "100");
        QVERIFY(w.close());
        vt::ConversionTables conv;
        vt::CodecTables tables;
        tables.Conv = &conv;
        tables.Voltage = &data.VolTables;
        const vt::EncodeResult r = vt::EncodeImage(data, tables, vt::ImageSource::File);
        QCOMPARE(int(r.image[0x3C00]), 1);
        QCOMPARE(int(r.image[0x3C01]), 255);
        QCOMPARE(int(r.image[0x3C02]), 100);
    }

    void closingChecksABoxNeverLeft() {
        vt::EditorData data;
        vt::frmMain w(data);
        Show(w);
        Tick(w);
        w.Text2->setFocus();
        w.Text2->setText("300");
        w.close();
        QVERIFY(w.isVisible()); // stays open
        QCOMPARE(boxes_.texts(), QStringList{"incorrect value!"});
        QCOMPARE(w.Text2->text(), QString("32"));
        QCOMPARE(int(data.Setup3C01), 32);
        boxes_.clear();
        QVERIFY(w.close());
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(int(data.Setup3C01), 32);
    }

    void untickedKeepsTheOldBytes() {
        vt::EditorData data;
        data.Setup3C00 = 9;
        vt::frmMain w(data);
        Show(w);
        Tick(w);
        Enter(w.Text1, "99");
        Enter(w.Text2, "98");
        QTest::mouseClick(w.Check1, Qt::LeftButton, {}, QPoint(5, w.Check1->height() / 2));
        QVERIFY(!w.Check1->isChecked());
        QVERIFY(!w.Text1->isVisible());
        QVERIFY(w.close());
        QCOMPARE(int(data.Setup3C00), 9);
        QCOMPARE(int(data.Setup3C01), 32);
    }

    void commandPanelSendsTheTypesCodes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("type 0") << 0 << QByteArray("\xAC\xAA\xAB\xAD");
        QTest::newRow("type 1") << 1 << QByteArray("\xAC\xAE\xAF\xAD");
        QTest::newRow("type 2") << 2 << QByteArray("\xA9\xA7\xA8\xAD");
    }
    void commandPanelSendsTheTypesCodes() {
        QFETCH(int, type);
        QFETCH(QByteArray, expected);
        vt::sim::SimRadio radio;
        std::string error;
        QVERIFY2(radio.Start(&error), error.c_str());
        QVERIFY(radio.LinkAs(home_, 4, &error));
        vt::EditorData data;
        data.CommPort = 4;
        vt::frmMain w(data);
        Show(w);
        w.selSetupType->setCurrentIndex(type);
        QTest::mouseClick(w.cmdManualSend, Qt::LeftButton);
        QVERIFY(boxes_.texts().isEmpty());
        QVERIFY(w.Port().IsOpen());
        QVERIFY(w.ReceivingFlag());
        QVERIFY(!w.cmdManualSend->isEnabled() && !w.selSetupType->isEnabled());
        QVERIFY(w.cmdTransmit->isEnabled() && w.cmdClose->isEnabled());
        QTest::mouseClick(w.cmdTransmit, Qt::LeftButton);
        QTest::mouseClick(w.cmdup, Qt::LeftButton);
        QTest::mouseClick(w.cmddown, Qt::LeftButton);
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        QVERIFY(radio.WaitUntil([&] { return radio.Received().size() >= 4; }, std::chrono::seconds(2)));
        const auto got = radio.Received();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(got.data()), int(got.size())), expected);
        // Back to idle, the port still open until the window closes.
        QVERIFY(w.cmdManualSend->isEnabled() && w.selSetupType->isEnabled());
        QVERIFY(!w.cmdup->isEnabled());
        QVERIFY(w.Port().IsOpen());
        QVERIFY(w.close());
        QVERIFY(!w.Port().IsOpen());
    }

    void portThatCannotOpenLeavesThePanelIdle() {
        fs::create_symlink(home_ / "nowhere", home_ / "ports" / "COM9");
        vt::EditorData data;
        data.CommPort = 9;
        vt::frmMain w(data); // the open at load fails quietly
        Show(w);
        QVERIFY(boxes_.texts().isEmpty());
        QTest::mouseClick(w.cmdManualSend, Qt::LeftButton);
        QCOMPARE(boxes_.texts(), QStringList{"Can't Open COM Port!"});
        QVERIFY(w.cmdManualSend->isEnabled());
        QVERIFY(!w.cmdTransmit->isEnabled());
        QVERIFY(!w.ReceivingFlag());
    }

    void bytesFromTheRadioAreDropped() {
        int master = -1, slave = -1;
        char name[256];
        QCOMPARE(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        fs::create_symlink(name, home_ / "ports" / "COM2");
        vt::EditorData data;
        data.CommPort = 2;
        vt::frmMain w(data);
        Show(w);
        QTest::mouseClick(w.cmdManualSend, Qt::LeftButton);
        QVERIFY(w.Port().IsOpen());
        const char noise[] = "\x83\x05\xEB radio chatter";
        QCOMPARE(::write(master, noise, sizeof noise), ssize_t(sizeof noise));
        QTest::qWait(200);
        QVERIFY(w.Port().ReadAll().empty()); // the window took them
        QCOMPARE(w.Engine().SetupAnswerFlag(), false); // the idle engine ignores them
        w.close();
        ::close(slave);
        ::close(master);
    }

    void startedEngineGivesUpOnASilentRadio() {
        vt::sim::SimOptions opt;
        opt.silent = true;
        vt::sim::SimRadio radio(opt);
        std::string error;
        QVERIFY(radio.Start(&error));
        QVERIFY(radio.LinkAs(home_, 5, &error));
        vt::EditorData data;
        data.CommPort = 5;
        vt::frmMain w(data);
        Show(w);
        QVERIFY(w.StartSetupProcess());
        QVERIFY(w.ctrTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 8000);
        QCOMPARE(boxes_.texts(), QStringList{"Error: The radio does not answer!"});
        const auto got = radio.Received();
        QCOMPARE(got, std::vector<uint8_t>{0x8C});
        QVERIFY(!w.Port().IsOpen());
    }
};

QTEST_MAIN(SetupWindowTest)
#include "tst_setup_window.moc"
