// One line, several programs and users: the real transmit program hands the port back for the
// next run of an ordinary user, and never shares it with a second copy, even as root.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolProcess.h"

#include <sys/stat.h>

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
};

QTEST_MAIN(TransmitPortSharing)
#include "tst_transmit_port_sharing.moc"
