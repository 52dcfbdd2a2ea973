// The tool's window: titles by mode, the form, its texts, and a failed start.
#include "tests/transmit/ToolHarness.h"
#include "tests/support/qt/StopProcess.h"
#include "tests/support/qt/XServer.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <unistd.h>

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
        // A window that can grow gets a maximise from window managers that ignore the hint.
        QCOMPARE(w.minimumSize(), w.size());
        QCOMPARE(w.maximumSize(), w.size());
        // START left of STOP, both below the bar, all inside the group or the form.
        QVERIFY(w.StartButton()->geometry().right() < w.StopButton()->geometry().left());
        QVERIFY(w.ProgressBar()->geometry().bottom() < w.StartButton()->geometry().top());
        QVERIFY(w.GroupBox()->geometry().contains(w.ProgressBar()->geometry()));
        QVERIFY(w.rect().contains(w.StopButton()->geometry()));
        QDir().mkpath(QString(VELTRA_APP_DIR) + "/../screenshots");
        QVERIFY(w.grab().save(QString(VELTRA_APP_DIR) + "/../screenshots/transmit_window.png"));
    }

    // However the window gets minimised (a window manager's button or command), it comes back:
    // the editor is hidden meanwhile, and nothing else would be left on screen.
    void minimisedWindowIsShownAgain() {
        ToolRun run("window_minimised");
        run.Launch({"/R"});
        TransmitWindow& w = run.Window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(!w.isMinimized(), 3000);
        QVERIFY(w.isVisible());
        QCOMPARE(w.size(), w.minimumSize()); // back as it was, not maximised
    }

    // What the window system is told, with a real X server and window manager when the machine
    // has them (Xvfb, openbox, xprop, xdotool): no minimise or maximise, in the Motif hints that
    // most managers follow, and no maximise offered by openbox, which ignores those two hints.
    void windowManagerOffersNoMaximiseAndIsAskedForNoMinimise() {
        for (const char* tool : {"Xvfb", "openbox", "xprop", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty()) QSKIP(qPrintable(QString("no %1 on this machine").arg(tool)));
        QProcess xvfb, wm, tool;
        auto cleanup = qScopeGuard([&] {
            for (QProcess* p : {&tool, &wm, &xvfb}) test::StopProcess(*p, 5000);
        });
        const QString display = test::StartXvfb(xvfb, "1024x768x24");
        QVERIFY2(!display.isEmpty(), "Xvfb did not come up");
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        auto run = [&](const QString& program, const QStringList& args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(program, args);
            p.waitForFinished(5000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        wm.setProcessEnvironment(env);
        wm.start("openbox", {});
        QVERIFY(QTest::qWaitFor([&] { return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); }, 60000));

        test::ToolFolder folder("window_x11");
        folder.WriteMsgSys(1, 4, 0);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("VELTRA_HOME", QString::fromStdString(folder.Path().string()));
        env.remove("VELTRA_TRANSMIT_AUTOSTART");
        tool.setProcessEnvironment(env);
        tool.start(QString(VELTRA_APP_DIR) + "/transmit", {"/W"});
        QVERIFY(tool.waitForStarted(5000));
        QString window, actions;
        QVERIFY(QTest::qWaitFor([&] {
            for (const QString& id : run("xdotool", {"search", "--name", "Osprey - Write"}).split('\n', Qt::SkipEmptyParts)) {
                actions = run("xprop", {"-id", id, "_NET_WM_ALLOWED_ACTIONS"});
                if (actions.contains("_NET_WM_ACTION_CLOSE")) {
                    window = id;
                    return true;
                }
            }
            return false;
        }, 60000));
        QVERIFY2(!actions.contains("MAXIMIZE"), qPrintable(actions));
        // _MOTIF_WM_HINTS = flags, functions, decorations, ...
        QString motif = run("xprop", {"-id", window, "_MOTIF_WM_HINTS"});
        QStringList fields = motif.section('=', 1).split(',', Qt::SkipEmptyParts);
        QVERIFY2(fields.size() >= 3, qPrintable(motif));
        bool ok1 = false, ok2 = false;
        uint functions = fields[1].trimmed().toUInt(&ok1, 16), decorations = fields[2].trimmed().toUInt(&ok2, 16);
        QVERIFY(ok1 && ok2);
        QCOMPARE(functions & 0x18u, 0u);   // minimise, maximise
        QCOMPARE(decorations & 0x60u, 0u); // their buttons
        QVERIFY(functions & 0x20u);        // the close box stays

        // openbox offers minimise to every window whatever the hints say: asked for it, the
        // window is iconified and then comes straight back.
        auto state = [&] { return run("xprop", {"-id", window, "WM_STATE"}); };
        run("xdotool", {"windowminimize", window});
        QTest::qWait(1000); // the manager has iconified it by now
        QVERIFY2(QTest::qWaitFor([&] { return state().contains("Normal"); }, 30000), qPrintable(state()));

        ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(folder.Status(), 8);
    }

    void chineseLabels() {
        ToolRun run("window_chinese", {}, 1);
        run.Launch({"/R"});
        TransmitWindow& w = run.Window();
        QCOMPARE(w.StartButton()->text(), QString("开始"));
        QCOMPARE(w.StopButton()->text(), QString("停止"));
        QCOMPARE(w.GroupBox()->title(), QString("进度"));
        // The tool's boxes take their buttons from Qt: those come in Chinese too.
        QMessageBox box(&w);
        box.setStandardButtons(QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("确定"));
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
