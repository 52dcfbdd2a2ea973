// Writing the radio with the real window against the simulated radio.
#include "common/ExchangeFiles.h"
#include "common/SerialPort.h"
#include "tests/transmit/ToolHarness.h"
#include "transmit/core/TransmitTimings.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <unistd.h>

using namespace vt;
using namespace std::chrono;
using test::ToolRun;

namespace {
std::vector<uint8_t> Wire(std::initializer_list<uint8_t> head, const std::vector<uint8_t>& image, size_t n) {
    std::vector<uint8_t> w(head);
    w.insert(w.end(), image.begin(), image.begin() + static_cast<long>(n));
    return w;
}
} // namespace

class TransmitWrite : public QObject {
    Q_OBJECT
private slots:
    void normalWriteSendsExactlyTheLeadingImage() {
        sim::SimOptions opt;
        opt.replyDelayMs = 1500; // a slow radio: nothing may go out while it thinks
        ToolRun run("write_normal", opt);
        auto image = test::DistinctNeighbourImage(kImageSize);
        run.folder.Write("wbuffer.bin", image);
        QCOMPARE(run.Launch({"/W"}), TransmitApp::Start::Running);
        QCOMPARE(run.Window().windowTitle(), QString("Osprey - Write"));
        run.RecordPauses();
        run.PressStart();
        QCOMPARE(run.folder.Status(), 4);
        // A write that lost echoes between reset and send would take 100 ms a byte (25 minutes).
        QVERIFY(run.WaitForEnd(120000));
        QCOMPARE(run.boxes.texts(), QStringList{"Completed Process!"});
        QCOMPARE(run.Finish(), 0x80);

        // Every image byte once, in order, and never byte 0x3BFF nor the setup bytes: the radio,
        // which stores what it receives, holds exactly the image.
        QVERIFY(run.radio.Received() == Wire({0x8C, 0xA0, 0x20, 0x20}, image, 0x3BFF));
        auto memory = run.radio.Memory();
        QVERIFY(std::equal(image.begin(), image.begin() + 0x3BFF, memory.begin()));
        QCOMPARE(run.radio.StoredCount(), size_t(0x3BFF));
        QCOMPARE(run.Doc().WriteIndex(), 0x3BFF);

        // 10 ms after each command byte; after the reply 2000 ms before the write command, the
        // last of them quiet; 100 ms and the purge before the first image byte; no byte before
        // its pause.
        const std::vector<std::pair<milliseconds, size_t>> paused = {
            {kCommandBytePause, 1}, {kWriteReplyPause - kReplyQuiet, 1}, {kReplyQuiet, 1},
            {kCommandBytePause, 2}, {kCommandBytePause, 3},              {kCommandBytePause, 4},
            {kWritePurgePause, 4}};
        QCOMPARE(run.pauses.size(), paused.size());
        for (size_t i = 0; i < paused.size(); ++i) {
            QCOMPARE(run.pauses[i].time.count(), paused[i].first.count());
            QVERIFY2(run.pauses[i].received <= paused[i].second, qPrintable(QString("pause %1").arg(i)));
        }
    }

    void wrongEchoesEndWithEchoError() {
        sim::SimOptions opt;
        opt.corruptEchoFrom = 100;
        ToolRun run("write_echo", opt);
        run.folder.Write("wbuffer.bin", test::DistinctNeighbourImage(kImageSize));
        run.Launch({"/W"});
        run.PressStart();
        QVERIFY(run.WaitForEnd(60000));
        QCOMPARE(run.boxes.texts(), QStringList{"Error: Incorrect Echo Data!"});
        QCOMPARE(run.Finish(), 0x40);
        QCOMPARE(run.Doc().WriteIndex(), 100);
        // The radio has stored byte 100 already: a resend would shift the rest, so it is the end.
        QCOMPARE(run.radio.Received().size(), size_t(4 + 101));
    }

    void duplicatedEchoesStillComplete() {
        sim::SimOptions opt;
        opt.echoTwice = true;
        opt.lateCopyFrom = 0x3BFE;
        ToolRun run("write_twice", opt);
        auto image = test::DistinctNeighbourImage(kImageSize);
        image[0x3BFF] = image[0x3BFE]; // the late copy of the last echo matches the next byte
        image[0x3C00] = static_cast<uint8_t>(image[0x3BFF] + 1);
        // A late copy of the last echo must not run the index past the end.
        run.folder.Write("wbuffer.bin", image);
        run.Launch({"/W"});
        run.PressStart();
        QVERIFY(run.WaitForEnd(120000));
        QCOMPARE(run.boxes.texts(), QStringList{"Completed Process!"});
        QCOMPARE(run.Finish(), 0x80);
        // Every byte went out once, and the radio holds exactly the image.
        QCOMPARE(run.radio.Received().size(), size_t(4 + 0x3BFF));
        auto memory = run.radio.Memory();
        QVERIFY(std::equal(image.begin(), image.begin() + 0x3BFF, memory.begin()));
        test::WaitUntil([] { return false; }, 50); // let the last copy arrive
        QCOMPARE(run.Doc().WriteIndex(), 0x3BFF);
    }

    void shortWriteBufferSendsNothingUntilStop() {
        ToolRun run("write_short");
        run.folder.Write("wbuffer.bin", std::vector<uint8_t>(kRadioImageSize - 1, 0x55));
        run.Launch({"/W"});
        run.PressStart();
        QCOMPARE(run.boxes.texts(), QStringList{"Error File Length!!"});
        QCOMPARE(run.folder.Status(), 4);
        test::WaitUntil([] { return false; }, 1500);
        QVERIFY(run.radio.Received().empty());
        QVERIFY(!run.quit);
        QVERIFY(run.Window().StopButton()->isEnabled());
        run.PressStop();
        QVERIFY(run.quit);
        QCOMPARE(run.Finish(), 8);
    }

    void silentRadioIsNotFound() {
        sim::SimOptions opt;
        opt.silent = true;
        ToolRun run("write_silent", opt);
        run.folder.Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x11));
        run.Launch({"/W"});
        auto started = steady_clock::now();
        run.PressStart();
        QVERIFY(run.WaitForEnd(30000));
        QVERIFY(steady_clock::now() - started >= milliseconds(4000));
        QCOMPARE(run.boxes.texts(), QStringList{"Error: Can't Find Radio!"});
        QCOMPARE(run.Finish(), 0x10);
        QCOMPARE(run.radio.Received(), std::vector<uint8_t>{0x8C}); // no stray image byte either
    }

    // The box names the port and why it did not open, in the user's language: a COM number with
    // no device, a device that is not there, a port another program holds by its lock file.
    void portThatCannotOpenIsNamedWithTheReason() {
        struct {
            uint8_t port;
            uint8_t language;
            const char* link; // ports/COM12 leads here instead of the radio ("": the radio)
            bool locked;      // another live program's lock file on the radio's device
            std::string second; // the box's second line; "@" is the device tried, "#" a PID
        } cases[] = {
            {0, 0, nullptr, false, "COM0: no device belongs to this port number"},
            {200, 1, nullptr, false, "COM200: 没有与此端口号对应的设备"},
            {test::kTestPort, 0, "/dev/veltra-no-such-port", false, std::string("@: ") + std::strerror(ENOENT)},
            {test::kTestPort, 1, "", true, "@: 被进程 # 锁定 (!)"},
        };
        for (const auto& c : cases) {
            ToolRun run("write_noport_" + std::to_string(c.port) + "_" + std::to_string(c.language));
            run.folder.WriteMsgSys(1, c.port, c.language);
            run.folder.Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x11));
            const auto link = run.folder.File("ports") / ("COM" + std::to_string(test::kTestPort));
            if (c.link && *c.link) {
                std::filesystem::remove(link);
                std::filesystem::create_symlink(c.link, link);
            }
            const auto lock = SystemPortLockFolders().front() /
                              ("LCK.." + std::filesystem::path(run.radio.DevicePath()).filename().string());
            if (c.locked) std::ofstream(lock) << std::setw(10) << ::getppid() << "\n";
            std::string second = c.second;
            for (auto [mark, value] : {std::pair<std::string, std::string>{"@", link.string()},
                                       {"#", std::to_string(::getppid())}, {"!", lock.string()}})
                if (auto at = second.find(mark); at != std::string::npos) second.replace(at, 1, value);
            run.Launch({"/W"});
            run.PressStart();
            std::filesystem::remove(lock);
            QCOMPARE(run.boxes.texts(), QStringList{QString::fromStdString("Can't Open COM Port!\n" + second)});
            QVERIFY(run.Window().StartButton()->isEnabled()); // the user may try again
            QVERIFY(!run.Window().StopButton()->isEnabled());
            QCOMPARE(run.folder.Status(), 1);
            QVERIFY(run.radio.Received().empty());
            run.Window().close();
            QVERIFY(run.quit);
            QCOMPARE(run.Finish(), 8);
        }
    }

    void closingBeforeStartLeavesNoResult() {
        ToolRun run("write_close");
        run.Launch({});
        QCOMPARE(run.Window().windowTitle(), QString("Osprey - Write"));
        run.Window().close();
        QVERIFY(run.quit);
        QCOMPARE(run.Finish(), 8);
        QVERIFY(run.radio.Received().empty());
    }
};

QTEST_MAIN(TransmitWrite)
#include "tst_transmit_write.moc"
