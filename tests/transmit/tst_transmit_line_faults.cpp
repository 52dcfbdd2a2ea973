// What a real line does to the real transmit program: bad, lost, late or doubled echoes, a wrong
// handshake reply, noise before the memory, an answer right after the write command, a hang-up
// in the middle of a write, and a port that is no serial device.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolHarness.h"
#include "tests/transmit/ToolProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    Line(const std::string& name, sim::SimOptions opt, const std::vector<uint8_t>& memory = {})
        : radio(std::move(opt)), folder(name) {
        if (!memory.empty()) radio.SetMemory(memory);
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
    // The radio stores every byte it receives: "Completed" only when it holds exactly the image,
    // and every write whose echoes come back right completes, however late they come. Nothing is
    // ever sent twice: a write whose echo went wrong or never came ends with the echo error, with
    // the radio holding the image up to that byte.
    void aWriteCompletesOnlyWhenTheRadioHoldsExactlyTheImage() {
        struct Case {
            const char* name;
            sim::SimOptions opt;
            bool run;   // the image has a run of equal bytes
            int status; // 0x80 (the radio exact) or 0x40
            long wire;  // image bytes on the wire
        };
        auto opt = [](auto set) {
            sim::SimOptions o;
            set(o);
            return o;
        };
        const long all = 0x3BFF;
        const Case cases[] = {
            // The radio got something else than the byte: it is stored, so it is the end.
            {"wrong echo", opt([](auto& o) { o.corruptEchoAt = 5000; }), false, 0x40, 5001},
            // Stored, but its echo lost on the line: sent again it would be stored twice.
            {"lost echo", opt([](auto& o) { o.loseEchoAt = 5000; }), false, 0x40, 5001},
            {"lost echo in a run", opt([](auto& o) { o.loseEchoAt = 6500; }), true, 0x40, 6501},
            // Late but right: waited for (a machine that paused, a radio that was busy).
            {"one echo 400 ms late", opt([](auto& o) { o.lateEchoAt = 3000, o.lateEchoMs = 400; }), false, 0x80, all},
            {"one echo 2 s late", opt([](auto& o) { o.lateEchoAt = 3000, o.lateEchoMs = 2000; }), false, 0x80, all},
            {"one echo 2 s late in a run", opt([](auto& o) { o.lateEchoAt = 6500, o.lateEchoMs = 2000; }), true, 0x80, all},
            {"the last echo 2 s late", opt([](auto& o) { o.lateEchoAt = 0x3BFE, o.lateEchoMs = 2000; }), false, 0x80, all},
            {"double echo", opt([](auto& o) { o.echoTwice = true; }), true, 0x80, all},
            // Every echo late but right (a USB adapter's 16 ms latency timer, a radio that stores
            // before it echoes, serial over a network): only the last bytes, but for seconds.
            {"echoes 8 ms late", opt([](auto& o) { o.echoDelayMs = 8, o.slowFrom = all - 800; }), false, 0x80, all},
            {"echoes 16 ms late", opt([](auto& o) { o.echoDelayMs = 16, o.slowFrom = all - 400; }), false, 0x80, all},
            {"echoes 30 ms late", opt([](auto& o) { o.echoDelayMs = 30, o.slowFrom = all - 220; }), false, 0x80, all},
            {"echoes 60 ms late", opt([](auto& o) { o.echoDelayMs = 60, o.slowFrom = all - 110; }), false, 0x80, all},
            {"echoes 90 ms late", opt([](auto& o) { o.echoDelayMs = 90, o.slowFrom = all - 75; }), true, 0x80, all},
            {"echoes 0-16 ms late", opt([](auto& o) { o.jitterMs = 16, o.slowFrom = all - 800; }), false, 0x80, all},
        };
        std::vector<std::unique_ptr<Line>> lines;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        std::vector<std::vector<uint8_t>> images;
        for (auto& c : cases) { // side by side: each takes seconds
            lines.push_back(std::make_unique<Line>(std::string("fault_exact_") + c.name, c.opt));
            images.push_back(c.run ? ImageWithRun() : test::DistinctNeighbourImage(kImageSize));
            lines.back()->folder.Write("wbuffer.bin", images.back());
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(lines.back()->folder, {"/W"});
        }
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            auto& radio = lines[i]->radio;
            QVERIFY2(tools[i]->Finish(120000), c.name);
            int status = lines[i]->folder.Status();
            auto memory = radio.Memory();
            auto wire = radio.Received();
            const size_t stored = radio.StoredCount();
            qInfo("%s: status 0x%02X, %zu bytes stored", c.name, status, stored);
            QVERIFY2(status == c.status, c.name);
            QCOMPARE(tools[i]->Boxes(),
                     QStringList{c.status == 0x80 ? "Completed Process!" : "Error: Incorrect Echo Data!"});
            // Each byte once, in order; what the radio stored is the image as far as it went.
            QVERIFY2(test::ImageOnceInOrder(wire, images[i], size_t(c.wire)), c.name);
            QCOMPARE(stored, size_t(c.wire));
            QVERIFY2(std::equal(memory.begin(), memory.begin() + c.wire, images[i].begin()), c.name);
        }
    }

    // The rest of an earlier read still on the line when a read starts (the tool was stopped or
    // killed half-way): already queued, or still streaming in. It holds 0x83 and 0xEB bytes, so
    // it could pass for the reply and the start of the memory. The read takes none of it: it
    // completes with the radio's memory, or ends without a result file. A radio whose reply runs
    // on for more bytes than one notification reads is still answered.
    void aReadStartsFromAQuietLine() {
        struct Case {
            const char* name;
            long left; // bytes of the earlier read still to come
            bool paced;
            bool completes;
            std::vector<uint8_t> reply;
        } cases[] = {
            {"queued", 11444, false, true, {}},
            {"still streaming", 5000, true, false, {}},
            {"a long reply", -1, true, true, std::vector<uint8_t>(40, 0x83)},
        };
        const auto memory = sim::MakeTestImage(sim::kMemorySize, 8);
        std::vector<std::unique_ptr<Line>> lines;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        for (auto& c : cases) {
            sim::SimOptions opt;
            opt.leftStream = c.left;
            opt.paced = c.paced;
            opt.reply = c.reply;
            lines.push_back(std::make_unique<Line>(std::string("fault_left_") + c.name, opt, memory));
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(lines.back()->folder, {"/R"});
        }
        for (size_t i = 0; i < std::size(cases); ++i) {
            const auto& c = cases[i];
            QVERIFY2(tools[i]->Finish(60000), c.name);
            const int status = lines[i]->folder.Status();
            const bool exact = lines[i]->folder.Read("rbuffer.bin") == memory;
            qInfo("%s: status 0x%02X, rbuffer.bin %s", c.name, status, exact ? "exact" : "not the memory");
            QVERIFY2(status != 0x80 || exact, c.name);
            if (c.completes) QVERIFY2(status == 0x80, c.name);
            else QVERIFY2(status == 0x80 || !std::filesystem::exists(lines[i]->folder.File("rbuffer.bin")), c.name);
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
        QVERIFY(test::ImageOnceInOrder(line.radio.Received(), image, 0x3BFF));
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

    // Nothing is locked or changed on what is no serial port; the box names the device tried and
    // why, in the user's language where the reason is the tool's own and as the system says it
    // otherwise.
    void portThatIsNoSerialDeviceCannotOpen() {
        std::vector<std::unique_ptr<ToolFolder>> folders;
        std::vector<std::unique_ptr<ToolProcess>> tools;
        const struct {
            const char* kind;
            uint8_t language;
            std::string why;
        } cases[] = {
            {"devnull", 1, std::string("不是串口: ") + std::strerror(ENOTTY)},
            {"file", 0, std::string("not a serial port: ") + std::strerror(ENOTTY)},
            {"directory", 0, std::strerror(EISDIR)},
        };
        for (const auto& c : cases) {
            auto folder = std::make_unique<ToolFolder>(std::string("fault_notty_") + c.kind);
            std::filesystem::path target;
            if (std::string(c.kind) == "devnull") {
                target = "/dev/null";
            } else if (std::string(c.kind) == "file") {
                target = folder->File("user_file.txt");
                folder->Write("user_file.txt", {'k', 'e', 'e', 'p'});
            } else {
                target = folder->File("a_directory");
                std::filesystem::create_directory(target);
            }
            std::filesystem::create_directories(folder->File("ports"));
            std::filesystem::create_symlink(target, folder->File("ports") / ("COM" + std::to_string(kCom)));
            folder->WriteMsgSys(1, kCom, c.language);
            folder->Write("wbuffer.bin", std::vector<uint8_t>(kImageSize, 0x8C));
            tools.push_back(std::make_unique<ToolProcess>());
            tools.back()->Start(*folder, {"/W"});
            folders.push_back(std::move(folder));
        }
        for (size_t i = 0; i < tools.size(); ++i) {
            QVERIFY2(tools[i]->WaitForBox("Can't Open COM Port!", 15000), cases[i].kind);
            tools[i]->Terminate(); // the tool waits for another START or the close box
            QVERIFY(tools[i]->Finish(10000));
            const auto device = folders[i]->File("ports") / ("COM" + std::to_string(kCom));
            QCOMPARE(tools[i]->Boxes(),
                     QStringList{QString::fromStdString("Can't Open COM Port!\n" + device.string() + ": " + cases[i].why)});
            QCOMPARE(folders[i]->Status(), 8);
        }
        QCOMPARE(folders[1]->Read("user_file.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    }
};

QTEST_MAIN(TransmitLineFaults)
#include "tst_transmit_line_faults.moc"
