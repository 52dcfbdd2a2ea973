// What a real line does to the real transmit program: bad, late, slow or doubled echoes, a wrong
// handshake reply, noise before the memory, an answer right after the write command, a hang-up
// in the middle of a write, and a port that is no serial device.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolHarness.h"
#include "tests/transmit/ToolProcess.h"

#include <algorithm>
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

// A write image without equal neighbours, but with a run of 0xFF from 6000 to 6999, as unused
// channels leave it: inside the run a shift by one shows in no single echo.
std::vector<uint8_t> ImageWithRun() {
    auto image = test::DistinctNeighbourImage(kImageSize);
    std::fill(image.begin() + 6000, image.begin() + 7000, uint8_t(0xFF));
    if (image[5999] == 0xFF) image[5999] = 0xFE;
    if (image[7000] == 0xFF) image[7000] = 0xFE;
    return image;
}
} // namespace

class TransmitLineFaults : public QObject {
    Q_OBJECT
private slots:
    // The radio stores every byte it receives: "Completed" only when it holds exactly the image.
    // Whatever the line does, the write either ends 0x80 with the image exact, or ends with the
    // echo error within its bound.
    void aWriteCompletesOnlyWhenTheRadioHoldsExactlyTheImage() {
        struct Case {
            const char* name;
            sim::SimOptions opt;
            bool run;       // the image has a run of equal bytes
            int status;     // 0x40, or 0x80 (then exact), or 0 when a resend may turn 0x80 into 0x40
            int seconds;    // the tool ends within this from its start
            long wire;      // image bytes on the wire, -1: any
        };
        auto opt = [](auto set) {
            sim::SimOptions o;
            set(o);
            return o;
        };
        const Case cases[] = {
            // The radio got something: a resend would be stored twice, so nothing is resent.
            {"wrong echo", opt([](auto& o) { o.corruptEchoAt = 5000; }), false, 0x40, 20, 5001},
            // The first copy was stored after all: its echo comes after the resend.
            {"one late echo", opt([](auto& o) { o.lateEchoAt = 3000, o.lateEchoMs = 180; }), false, 0x40, 20, -1},
            {"one late echo in a run", opt([](auto& o) { o.lateEchoAt = 6500, o.lateEchoMs = 180; }), true, 0x40, 20, -1},
            // After the last byte the radio may still show that it stored a byte twice.
            {"late echo of the last byte", opt([](auto& o) { o.lateEchoAt = 0x3BFE, o.lateEchoMs = 180; }), false, 0x40, 20, -1},
            // Every echo late: every byte would go out and be stored twice, for 38 minutes.
            {"all echoes late", opt([](auto& o) { o.lateEchoFrom = 0, o.lateEchoMs = 150; }), true, 0x40, 10, -1},
            // Every echo 90 ms late, inside the wait: no resend, but 23 minutes.
            {"all echoes slow", opt([](auto& o) { o.echoDelayMs = 90; }), false, 0x40, 15, -1},
            // A radio that echoes twice still holds the image, unless a byte had to be resent.
            {"double echo", opt([](auto& o) { o.echoTwice = true; }), true, 0, 60, -1},
        };
        std::vector<std::unique_ptr<Line>> lines;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        std::vector<std::vector<uint8_t>> images;
        auto started = steady_clock::now();
        for (auto& c : cases) { // side by side: the slow ones take seconds each
            lines.push_back(std::make_unique<Line>(std::string("fault_exact_") + c.name, c.opt));
            images.push_back(c.run ? ImageWithRun() : test::DistinctNeighbourImage(kImageSize));
            lines.back()->folder.Write("wbuffer.bin", images.back());
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(lines.back()->folder, {"/W"});
        }
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            auto& radio = lines[i]->radio;
            auto left = milliseconds(c.seconds * 1000) - duration_cast<milliseconds>(steady_clock::now() - started);
            QVERIFY2(tools[i]->Finish(int(std::max(left, milliseconds(1)).count())), c.name);
            int status = lines[i]->folder.Status();
            auto memory = radio.Memory();
            bool exact = radio.StoredCount() == 0x3BFF && std::equal(images[i].begin(), images[i].begin() + 0x3BFF, memory.begin());
            auto wire = radio.Received();
            qInfo("%s: status 0x%02X, radio %s", c.name, status, exact ? "exact" : "not exact");
            if (status == 0x80) {
                QVERIFY2(exact, c.name);
                QCOMPARE(tools[i]->Boxes(), QStringList{"Completed Process!"});
            } else {
                QCOMPARE(tools[i]->Boxes(), QStringList{"Error: Incorrect Echo Data!"});
                QCOMPARE(status, 0x40);
            }
            if (c.status == 0x40) QVERIFY2(status == 0x40, c.name);
            if (c.status == 0) // 0x40 only after a resend, which a loaded machine can cause
                QVERIFY2(status == 0x80 || test::ResendsInOrder(wire, images[i], 0x3BFF) != 0, c.name);
            if (c.wire >= 0) QCOMPARE(long(wire.size()) - 4, c.wire);
        }
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
