// The transmit program itself: its test hook, a second copy, and polite termination.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolProcess.h"
#include "tests/transmit/helpers/ToolFolder.h"
#include "transmit/ui/SingleInstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

using namespace vt;

namespace {
QString ToolProgram() { return QString(VELTRA_APP_DIR) + "/transmit"; }

void Launch(QProcess& p, const test::ToolFolder& folder, const QStringList& args, bool autostart) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("VELTRA_HOME", QString::fromStdString(folder.Path().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (autostart) env.insert("VELTRA_TRANSMIT_AUTOSTART", "1");
    else env.remove("VELTRA_TRANSMIT_AUTOSTART");
    p.setProcessEnvironment(env);
    p.start(ToolProgram(), args);
    QVERIFY(p.waitForStarted(5000));
}

// The first copy is up once it holds its lock and listens.
bool Listening(const test::ToolFolder& folder) {
    return QTest::qWaitFor([&] { return std::filesystem::exists(folder.File(".transmit.sock")); }, 10000);
}
} // namespace

class TransmitProcess : public QObject {
    Q_OBJECT
private slots:
    void autostartHookRunsAWholeRead() {
        test::ToolFolder folder("proc_read");
        sim::SimRadio radio;
        QVERIFY(radio.Start());
        QVERIFY(radio.LinkAs(folder.Path(), 4));
        folder.WriteMsgSys(1, 4, 0);
        QProcess tool;
        Launch(tool, folder, {"/R"}, true);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardError().contains("transmit box: Completed Process!"));
        QCOMPARE(folder.Status(), 0x80);
        QCOMPARE(folder.Read("rbuffer.bin"), radio.Memory());
    }

    void secondCopyGivesWayWithoutTouchingMsgSys() {
        test::ToolFolder folder("proc_second");
        folder.WriteMsgSys(1, 4, 0);
        QProcess first;
        Launch(first, folder, {"/W"}, false);
        QVERIFY(Listening(folder));
        folder.WriteMsgSys(4, 4, 0); // as if the first copy were writing
        QProcess second;
        Launch(second, folder, {"/W"}, false);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(folder.Status(), 4);
        QCOMPARE(first.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(folder.Status(), 8);
    }

    void politeSignalsEndLikeTheCloseBox() {
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
            test::ToolFolder folder("proc_signal_" + std::to_string(sig));
            folder.WriteMsgSys(1, 4, 0);
            QProcess tool;
            Launch(tool, folder, {"/R"}, false);
            QVERIFY(Listening(folder));
            ::kill(static_cast<pid_t>(tool.processId()), sig);
            QVERIFY(tool.waitForFinished(10000));
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(folder.Status(), 8);
        }
    }

    void missingMsgSysEndsTheTool() {
        test::ToolFolder folder("proc_nomsg");
        QProcess tool;
        Launch(tool, folder, {"/R"}, true);
        QVERIFY(tool.waitForFinished(10000));
        QByteArray err = tool.readAllStandardError();
        QVERIFY(err.contains("transmit box: 2\n"));
        QVERIFY(err.contains("transmit box: Can't Open Msg File"));
        QVERIFY(!std::filesystem::exists(folder.File("Msg.sys"))); // never created
    }

    // A FIFO as Msg.sys: the tool reports it as an unreadable file at once instead of waiting in
    // the open for a writer; with nobody there to answer its box, a polite signal still ends it.
    void fifoMsgSysFailsTheStartAndSigtermEndsIt() {
        for (bool answered : {true, false}) {
            test::ToolFolder folder(answered ? "proc_fifo_answered" : "proc_fifo_waiting");
            QCOMPARE(::mkfifo(folder.File("Msg.sys").c_str(), 0600), 0);
            QProcess tool;
            Launch(tool, folder, {"/R"}, answered);
            if (!answered) {
                QTest::qWait(1500); // its first box is up, waiting for a user
                ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
            }
            bool ended = tool.waitForFinished(10000);
            if (!ended) tool.kill();
            QVERIFY2(ended, answered ? "hung before its window" : "SIGTERM did not end it");
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tool.exitCode(), 1);
            if (answered) {
                QByteArray err = tool.readAllStandardError();
                QVERIFY2(err.contains("transmit box: 22\n"), err.constData()); // EINVAL: not a file
                QVERIFY(err.contains("transmit box: Can't Open Msg File"));
            }
        }
    }

    // A Msg.sys the tool may read but not write: it could never tell the editor what it did to
    // the radio (or that a read's rbuffer.bin is new), so START sends nothing, says why and ends
    // the tool.
    void unwritableMsgSysStopsTheTransferBeforeItStarts() {
        if (::geteuid() == 0 && test::UserSwitcher().isEmpty()) QSKIP("root without setpriv or runuser");
        for (const char* mode : {"/W", "/R"}) {
            sim::SimRadio radio;
            QVERIFY(radio.Start());
            QCOMPARE(::chmod(radio.DevicePath().c_str(), 0666), 0);
            test::ToolFolder folder(std::string("proc_readonly_msg") + mode[1]);
            QVERIFY(radio.LinkAs(folder.Path(), 4));
            folder.WriteMsgSys(1, 4, 0);
            folder.Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x11));
            test::OpenFolderToEveryone(folder);
            QCOMPARE(::chmod(folder.File("Msg.sys").c_str(), 0444), 0);
            test::ToolProcess tool;
            tool.Start(folder, {mode}, true, true); // as nobody when root: root writes any file
            QVERIFY2(tool.Finish(20000), mode);
            // EACCES at START, then once more at exit.
            QVERIFY2(tool.Boxes() == QStringList({"13", "Can't Open Msg File", "13"}), qPrintable(tool.Boxes().join(" / ")));
            QVERIFY2(radio.Received().empty(), mode);
            QCOMPARE(folder.Read("Msg.sys"), (std::vector<uint8_t>{1, 4, 0}));
            QVERIFY(!std::filesystem::exists(folder.File("rbuffer.bin")));
        }
    }

    void singleInstanceForwardsTheRequest() {
        test::ToolFolder folder("proc_instance");
        SingleInstance running(folder.Path());
        QVERIFY(running.Acquire());
        QSignalSpy forward(&running, &SingleInstance::bringForwardRequested);
        SingleInstance later(folder.Path());
        QVERIFY(!later.Acquire());
        QVERIFY(later.NotifyRunning());
        QVERIFY(forward.wait(5000) || forward.count() == 1);
    }
};

QTEST_MAIN(TransmitProcess)
#include "tst_transmit_process.moc"
