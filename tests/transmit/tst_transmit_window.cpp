// The tool's window: titles by mode, the form, its texts, and a failed start.
#include "tests/transmit/ToolHarness.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>

using namespace vt;
using test::ToolRun;

class TransmitWindowTest : public QObject {
    Q_OBJECT
private slots:
    void titleFollowsTheExactCommandLine() {
        const std::pair<std::vector<std::string>, QString> cases[] = {
            {{"/R"}, "Osprey - Read"}, {{"/W"}, "Osprey - Write"}, {{}, "Osprey - Write"},
            {{"/r"}, "Osprey - Write"}, {{"/R "}, "Osprey - Write"}, {{"/R", "x"}, "Osprey - Write"},
        };
        int i = 0;
        for (const auto& [args, title] : cases) {
            ToolRun run("window_title_" + std::to_string(i++));
            QCOMPARE(run.Launch(args), TransmitApp::Start::Running);
            QCOMPARE(run.Window().windowTitle(), title);
        }
    }

    void formHasOnlyProgressAndTheTwoButtons() {
        ToolRun run("window_form");
        run.Launch({"/W"});
        TransmitWindow& w = run.Window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.StartButton()->text(), QString("START"));
        QCOMPARE(w.StopButton()->text(), QString("STOP"));
        QCOMPARE(w.GroupBox()->title(), QString("Progress"));
        QVERIFY(w.StartButton()->isEnabled());
        QVERIFY(!w.StopButton()->isEnabled());
        QCOMPARE(w.ProgressBar()->value(), 0);
        // No menu and no document commands or shortcuts of their own.
        QVERIFY(w.findChildren<QMenuBar*>().isEmpty());
        QVERIFY(w.findChildren<QAction*>().isEmpty());
        QVERIFY(w.actions().isEmpty());
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        // START left of STOP, both below the bar, all inside the group or the form.
        QVERIFY(w.StartButton()->geometry().right() < w.StopButton()->geometry().left());
        QVERIFY(w.ProgressBar()->geometry().bottom() < w.StartButton()->geometry().top());
        QVERIFY(w.GroupBox()->geometry().contains(w.ProgressBar()->geometry()));
        QVERIFY(w.rect().contains(w.StopButton()->geometry()));
        QDir().mkpath(QString(VELTRA_APP_DIR) + "/../screenshots");
        QVERIFY(w.grab().save(QString(VELTRA_APP_DIR) + "/../screenshots/transmit_window.png"));
    }

    void chineseLabels() {
        ToolRun run("window_chinese", {}, 1);
        run.Launch({"/R"});
        TransmitWindow& w = run.Window();
        QCOMPARE(w.StartButton()->text(), QString("开始"));
        QCOMPARE(w.StopButton()->text(), QString("停止"));
        QCOMPARE(w.GroupBox()->title(), QString("进度"));
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.grab().save(QString(VELTRA_APP_DIR) + "/../screenshots/transmit_window_chinese.png"));
    }

    void shortMsgSysEndsTheStartButStillWritesTheExitStatus() {
        ToolRun run("window_short_msg");
        run.folder.Write("Msg.sys", {1, 5});
        QCOMPARE(run.Launch({"/R"}), TransmitApp::Start::Failed);
        QCOMPARE(run.boxes.texts(), (QStringList{"Error File Length!!", "Can't Open Msg File"}));
        QVERIFY(run.app->ExitInstance()); // one byte is enough at exit
        QCOMPARE(run.folder.Read("Msg.sys"), (std::vector<uint8_t>{8, 5}));
    }

    void secondCopyInTheSameFolderGivesWay() {
        ToolRun run("window_second");
        run.Launch({"/W"});
        run.folder.WriteMsgSys(4, test::kTestPort, 0);
        TransmitApp second(run.folder.Path(), {"/R"});
        QCOMPARE(second.InitInstance(), TransmitApp::Start::GaveWay);
        QVERIFY(!second.Window());
        QVERIFY(!second.ExitInstance());
        QCOMPARE(run.folder.Status(), 4);
        QVERIFY(run.boxes.texts().isEmpty());
    }
};

QTEST_MAIN(TransmitWindowTest)
#include "tst_transmit_window.moc"
