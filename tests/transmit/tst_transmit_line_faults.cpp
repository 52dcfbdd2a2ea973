// What a real line does to the real transmit program: a single bad or late echo, a wrong
// handshake reply, noise before the memory, an answer right after the write command, a hang-up
// in the middle of a write, and a port that is no serial device.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolHarness.h"
#include "tests/transmit/ToolProcess.h"

#include <memory>

using namespace vt;
using namespace std::chrono;
using test::ToolFolder;
using test::ToolProcess;

namespace {
constexpr int kCom = 6;

// A radio on its own pseudo-terminal and a program folder whose COM6 is that radio.
struct Line {
    sim::SimRadio radio;
    ToolFolder folder;
    Line(const std::string& name, sim::SimOptions opt) : radio(std::move(opt)), folder(name) {
        if (!radio.Start() || !radio.LinkAs(folder.Path(), kCom)) qFatal("radio did not start");
        folder.WriteMsgSys(1, kCom, 0);
    }
};

// When image byte index reached the radio the first and the second time, and when the byte after
// it did. False unless the wire carries the whole image in order (each byte the next one or a
// resend of the last) and byte index went out at least twice; a loaded machine may add a resend
// elsewhere.
struct Resend {
    steady_clock::time_point first, second, next;
};
bool FindResend(const std::vector<sim::TimedByte>& wire, const std::vector<uint8_t>& image, size_t index, Resend* out) {
    size_t next = 0;
    bool firstSeen = false, secondSeen = false, nextSeen = false;
    for (size_t i = 4; i < wire.size(); ++i) {
        if (next < 0x3BFF && wire[i].value == image[next]) {
            if (next == index) out->first = wire[i].at, firstSeen = true;
            if (next == index + 1) out->next = wire[i].at, nextSeen = true;
            ++next;
        } else if (next > 0 && wire[i].value == image[next - 1]) {
            if (next - 1 == index && !secondSeen) out->second = wire[i].at, secondSeen = true;
        } else {
            return false;
        }
    }
    return next == 0x3BFF && firstSeen && secondSeen && nextSeen;
}
} // namespace

class TransmitLineFaults : public QObject {
    Q_OBJECT
private slots:
    void oneWrongEchoInTheMiddleIsResentAfterTheEchoWait() {
        sim::SimOptions opt;
        opt.corruptEchoAt = 5000;
        Line line("fault_one_echo", opt);
        auto image = test::DistinctNeighbourImage(kImageSize);
        line.folder.Write("wbuffer.bin", image);
        ToolProcess tool;
        tool.Start(line.folder, {"/W"});
        QVERIFY(tool.Finish(120000));
        QCOMPARE(tool.Boxes(), QStringList{"Completed Process!"});
        QCOMPARE(line.folder.Status(), 0x80);
        Resend r;
        QVERIFY2(FindResend(line.radio.ReceivedTimed(), image, 5000, &r),
                 "the wire must hold the image in order with byte 5000 resent");
        QVERIFY(r.second - r.first >= milliseconds(75)); // the 100 ms echo wait, less scheduling noise
    }

    void echoLaterThanTheWaitIsResentAndTheWriteGoesOn() {
        sim::SimOptions opt;
        opt.lateEchoAt = 3000;
        opt.lateEchoMs = 180;
        Line line("fault_late_echo", opt);
        auto image = test::DistinctNeighbourImage(kImageSize);
        line.folder.Write("wbuffer.bin", image);
        ToolProcess tool;
        tool.Start(line.folder, {"/W"});
        QVERIFY(tool.Finish(120000));
        QCOMPARE(tool.Boxes(), QStringList{"Completed Process!"});
        QCOMPARE(line.folder.Status(), 0x80);
        Resend r;
        QVERIFY2(FindResend(line.radio.ReceivedTimed(), image, 3000, &r),
                 "the wire must hold the image in order with byte 3000 resent");
        QVERIFY(r.second - r.first >= milliseconds(75));
        QVERIFY(r.next - r.first >= milliseconds(180)); // the next byte only once the late echo came
    }

    void wrongHandshakeRepliesFindNoRadio() {
        const std::vector<std::vector<uint8_t>> replies = {{0x84, 0x01}, {0x83}, {0x83, 0xA0}};
        std::vector<std::unique_ptr<Line>> lines;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        for (size_t i = 0; i < replies.size(); ++i) { // side by side: each takes five seconds
            sim::SimOptions opt;
            opt.reply = replies[i];
            lines.push_back(std::make_unique<Line>("fault_reply_" + std::to_string(i), opt));
            lines.back()->folder.Write("wbuffer.bin", test::DistinctNeighbourImage(kImageSize));
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(lines.back()->folder, {i == 1 ? "/R" : "/W"});
        }
        for (size_t i = 0; i < replies.size(); ++i) {
            QVERIFY(tools[i]->Finish(30000));
            QCOMPARE(tools[i]->Boxes(), QStringList{"Error: Can't Find Radio!"});
            QCOMPARE(lines[i]->folder.Status(), 0x10);
            QCOMPARE(lines[i]->radio.Received(), std::vector<uint8_t>{0x8C}); // no command, no image byte
        }
    }

    void bytesBeforeTheStartMarkerAreNotStored() {
        sim::SimOptions opt;
        opt.preamble = {0x00, 0x83, 0x05, 0xA0, 0x21, 0xFF, 0x55};
        Line line("fault_preamble", opt);
        auto memory = sim::MakeTestImage(sim::kMemorySize, 5);
        line.radio.SetMemory(memory);
        ToolProcess tool;
        tool.Start(line.folder, {"/R"});
        QVERIFY(tool.Finish(60000));
        QCOMPARE(tool.Boxes(), QStringList{"Completed Process!"});
        QCOMPARE(line.folder.Status(), 0x80);
        QCOMPARE(line.folder.Read("rbuffer.bin"), memory);
    }

    void answerRightAfterTheWriteCommandIsPurged() {
        auto image = test::DistinctNeighbourImage(kImageSize);
        sim::SimOptions opt;
        opt.afterWriteCommand = {image[0]}; // would pass for the echo of the first byte
        Line line("fault_after_command", opt);
        line.folder.Write("wbuffer.bin", image);
        ToolProcess tool;
        tool.Start(line.folder, {"/W"});
        QVERIFY(tool.Finish(120000));
        QCOMPARE(tool.Boxes(), QStringList{"Completed Process!"});
        QCOMPARE(line.folder.Status(), 0x80);
        // Every byte waited for its own echo: none went out while the radio still echoed.
        QCOMPARE(line.radio.EarlyBytes(), size_t(0));
        QVERIFY(test::ResendsInOrder(line.radio.Received(), image, 0x3BFF) >= 0);
    }

    void hangupDuringAWriteEndsWithTheEchoError() {
        Line line("fault_hangup", {});
        line.folder.Write("wbuffer.bin", test::DistinctNeighbourImage(kImageSize));
        ToolProcess tool;
        tool.Start(line.folder, {"/W"});
        QVERIFY(line.radio.WaitUntil([&] { return line.radio.StoredCount() > 2000; }, seconds(60)));
        line.radio.Hangup(); // the adapter is pulled
        auto pulled = steady_clock::now();
        QVERIFY(tool.Finish(20000));
        QVERIFY(steady_clock::now() - pulled < seconds(10)); // three stall ticks, not a hang
        QCOMPARE(tool.Boxes(), QStringList{"Error: Incorrect Echo Data!"});
        QCOMPARE(line.folder.Status(), 0x40);
    }

    void portThatIsNoSerialDeviceCannotOpen() {
        std::vector<std::unique_ptr<ToolFolder>> folders;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        const char* kinds[] = {"devnull", "file", "directory"};
        for (const char* kind : kinds) {
            auto folder = std::make_unique<ToolFolder>(std::string("fault_notty_") + kind);
            std::filesystem::path target;
            if (std::string(kind) == "devnull") {
                target = "/dev/null";
            } else if (std::string(kind) == "file") {
                target = folder->File("user_file.txt");
                folder->Write("user_file.txt", {'k', 'e', 'e', 'p'});
            } else {
                target = folder->File("a_directory");
                std::filesystem::create_directory(target);
            }
            std::filesystem::create_directories(folder->File("ports"));
            std::filesystem::create_symlink(target, folder->File("ports") / ("COM" + std::to_string(kCom)));
            folder->WriteMsgSys(1, kCom, 0);
            folder->Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x8C));
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(*folder, {"/W"});
            folders.push_back(std::move(folder));
        }
        for (size_t i = 0; i < tools.size(); ++i) {
            QVERIFY2(tools[i]->WaitForBox("Can't Open COM Port!", 15000), kinds[i]);
            tools[i]->Terminate(); // the tool waits for another START or the close box
            QVERIFY(tools[i]->Finish(10000));
            QCOMPARE(tools[i]->Boxes(), QStringList{"Can't Open COM Port!"});
            QCOMPARE(folders[i]->Status(), 8);
        }
        QCOMPARE(folders[1]->Read("user_file.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    }
};

QTEST_MAIN(TransmitLineFaults)
#include "tst_transmit_line_faults.moc"
