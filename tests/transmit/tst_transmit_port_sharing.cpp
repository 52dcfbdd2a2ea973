// One line, several programs and users: the real transmit program hands the port back for the
// next run of an ordinary user, and never shares it with a second copy or with a terminal
// program that holds the line by a lock file or the terminal's exclusive flag, even as root.
#include "common/ExchangeFiles.h"
#include "common/SerialPort.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolHarness.h"
#include "tests/transmit/ToolProcess.h"

#include <fcntl.h>
#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The lock folder the tool writes to (this test process's own, which the tool inherits), or
// empty when this user may not write there.
std::filesystem::path LockFolder() {
    for (const auto& f : vt::SystemPortLockFolders())
        if (::access(f.c_str(), W_OK) == 0) return std::filesystem::canonical(f);
    return {};
}
std::filesystem::path LockFileOf(const vt::sim::SimRadio& radio) {
    return LockFolder() / ("LCK.." + std::filesystem::path(radio.DevicePath()).filename().string());
}
// The PID a lock file holds, or -1 when there is none.
long LockPid(const std::filesystem::path& lock) {
    std::ifstream in(lock);
    long pid = -1;
    in >> pid;
    return pid;
}
} // namespace

using namespace vt;
using test::ToolFolder;
using test::ToolProcess;

class TransmitPortSharing : public QObject {
    Q_OBJECT
private slots:
    void ordinaryUserRunsTheToolTwiceWhileTheLineStaysHeld() {
        if (::geteuid() == 0 && test::UserSwitcher().isEmpty()) QSKIP("root without setpriv or runuser");
        // The simulated radio keeps its end open the whole time, as in the README's steps.
        sim::SimRadio radio;
        QVERIFY(radio.Start());
        QCOMPARE(::chmod(radio.DevicePath().c_str(), 0666), 0);
        auto memory = sim::MakeTestImage(sim::kMemorySize, 21);
        radio.SetMemory(memory);
        ToolFolder folder("share_twice");
        QVERIFY(radio.LinkAs(folder.Path(), 4));
        for (int run = 0; run < 2; ++run) {
            radio.Rearm();
            folder.WriteMsgSys(1, 4, 0);
            std::filesystem::remove(folder.File("rbuffer.bin"));
            test::OpenFolderToEveryone(folder);
            ToolProcess tool;
            tool.Start(folder, {"/R"}, true, true);
            QVERIFY(tool.Finish(60000));
            QVERIFY2(tool.Boxes() == QStringList{"Completed Process!"}, qPrintable(tool.Boxes().join(" / ") + tool.err));
            QCOMPARE(folder.Status(), 0x80);
            QCOMPARE(folder.Read("rbuffer.bin"), memory);
        }
    }

    void secondCopyInAnotherFolderCannotOpenAPortInUse() {
        sim::SimOptions opt;
        opt.silent = true; // the first copy holds the port until the radio is given up (5 s)
        sim::SimRadio radio(opt);
        QVERIFY(radio.Start());
        ToolFolder first("share_first"), second("share_second");
        for (auto* f : {&first, &second}) {
            QVERIFY(radio.LinkAs(f->Path(), 4));
            f->WriteMsgSys(1, 4, 0);
        }
        first.Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x11));
        ToolProcess a, b;
        a.Start(first, {"/W"});
        QVERIFY(radio.WaitUntil([&] { return !radio.Received().empty(); }, std::chrono::seconds(10)));
        b.Start(second, {"/R"});
        QVERIFY2(b.WaitForBox("Can't Open COM Port!", 10000), qPrintable(b.Boxes().join(" / ")));
        QCOMPARE(radio.Received(), std::vector<uint8_t>{0x8C}); // nothing of the second copy on the line
        b.Terminate();
        QVERIFY(b.Finish(10000));
        QCOMPARE(second.Status(), 8);
        QVERIFY(a.Finish(30000));
        QCOMPARE(a.Boxes(), QStringList{"Error: Can't Find Radio!"});
        QCOMPARE(first.Status(), 0x10);
        QCOMPARE(radio.Received(), std::vector<uint8_t>{0x8C});
    }

    // A terminal program holds the line: by a lock file of its live process, or by the
    // terminal's exclusive flag (which root's open passes). The tool, root's and an ordinary
    // user's, refuses the port and sends nothing.
    void terminalProgramsLockOrExclusiveFlagKeepTheToolOff() {
        if (LockFolder().empty()) QSKIP("no lock folder this user may write");
        sim::SimRadio radio;
        QVERIFY(radio.Start());
        ToolFolder folder("share_foreign");
        QVERIFY(radio.LinkAs(folder.Path(), 4));
        const auto lock = LockFileOf(radio);
        struct Remove {
            std::filesystem::path p;
            ~Remove() { std::filesystem::remove(p); } // also when a check fails
        } removeLock{lock};
        const bool canSwitch = ::geteuid() == 0 && !test::UserSwitcher().isEmpty();
        if (canSwitch) QCOMPARE(::chmod(radio.DevicePath().c_str(), 0666), 0);
        for (int run = 0; run < (canSwitch ? 4 : 2); ++run) {
            const bool byFlag = run % 2, asNobody = run >= 2;
            int holder = -1;
            if (byFlag) {
                holder = ::open(radio.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
                QVERIFY(holder >= 0);
                QCOMPARE(::ioctl(holder, TIOCEXCL), 0);
            } else {
                std::ofstream(lock) << std::string(5, ' ') << ::getpid() << " minicom root\n"; // as some write it
            }
            folder.WriteMsgSys(1, 4, 0);
            test::OpenFolderToEveryone(folder);
            ToolProcess tool;
            tool.Start(folder, {"/R"}, true, asNobody);
            QVERIFY2(tool.WaitForBox("Can't Open COM Port!", 10000), qPrintable(tool.Boxes().join(" / ") + tool.err));
            tool.Terminate();
            QVERIFY(tool.Finish(10000));
            QCOMPARE(folder.Status(), 8);
            QVERIFY(radio.Received().empty());
            if (byFlag) {
                ::ioctl(holder, TIOCNXCL);
                ::close(holder);
            } else {
                QCOMPARE(LockPid(lock), long(::getpid())); // the other program's lock stays
                std::filesystem::remove(lock);
            }
        }
    }

    // The tool's own lock file names the device behind ports/COM<n> and goes on every ending:
    // a finished read, a polite signal, STOP, the close box.
    void ownLockFileGoesOnEveryEnding() {
        if (LockFolder().empty()) QSKIP("no lock folder this user may write");
        {
            sim::SimRadio radio;
            QVERIFY(radio.Start());
            ToolFolder folder("share_lock_read");
            QVERIFY(radio.LinkAs(folder.Path(), 4));
            folder.WriteMsgSys(1, 4, 0);
            ToolProcess tool;
            tool.Start(folder, {"/R"});
            QVERIFY(QTest::qWaitFor([&] { return LockPid(LockFileOf(radio)) == tool.process.processId(); }, 10000));
            // Not in the machine's folder, where another test run could meet it.
            QVERIFY(LockFolder() != std::filesystem::canonical("/run/lock"));
            QVERIFY(!std::filesystem::exists("/run/lock" / LockFileOf(radio).filename()));
            QVERIFY(tool.Finish(30000));
            QCOMPARE(tool.Boxes(), QStringList{"Completed Process!"});
            QVERIFY(!std::filesystem::exists(LockFileOf(radio)));

            sim::SimOptions silent;
            silent.silent = true;
            sim::SimRadio quiet(silent);
            QVERIFY(quiet.Start());
            QVERIFY(quiet.LinkAs(folder.Path(), 4));
            ToolProcess signalled;
            signalled.Start(folder, {"/R"});
            QVERIFY(QTest::qWaitFor([&] { return LockPid(LockFileOf(quiet)) == signalled.process.processId(); }, 10000));
            signalled.Terminate();
            QVERIFY(signalled.Finish(10000));
            QVERIFY(!std::filesystem::exists(LockFileOf(quiet)));
        }
        for (bool byStop : {true, false}) {
            sim::SimOptions silent;
            silent.silent = true;
            test::ToolRun run(byStop ? "share_lock_stop" : "share_lock_close", silent);
            QCOMPARE(run.Launch({"/R"}), TransmitApp::Start::Running);
            run.PressStart();
            const auto lock = LockFileOf(run.radio);
            QCOMPARE(LockPid(lock), long(::getpid()));
            if (byStop) run.PressStop();
            else run.Window().close();
            QVERIFY(run.quit);
            QVERIFY(!std::filesystem::exists(lock));
        }
    }
};

QTEST_MAIN(TransmitPortSharing)
#include "tst_transmit_port_sharing.moc"
