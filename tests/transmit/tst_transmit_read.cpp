// Reading the radio with the real window against the simulated radio.
// Runs that need the radio at the line's real pace are in tst_transmit_read_paced.cpp.
#include "tests/transmit/ToolHarness.h"

using namespace vt;
using namespace std::chrono;
using test::ToolRun;

class TransmitRead : public QObject {
    Q_OBJECT
private slots:
    void normalReadStoresTheRadioMemory() {
        ToolRun run("read_normal");
        auto memory = sim::MakeTestImage(sim::kMemorySize, 3);
        run.radio.SetMemory(memory);
        QCOMPARE(run.Launch({"/R"}), TransmitApp::Start::Running);
        QCOMPARE(run.Window().windowTitle(), QString("Osprey - Read"));
        QCOMPARE(run.folder.Status(), 1);
        run.PressStart();
        QCOMPARE(run.folder.Status(), 2); // reading, while the transfer runs
        QVERIFY(!run.Window().StartButton()->isEnabled());
        QVERIFY(run.Window().StopButton()->isEnabled());
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"Completed Process!"});
        QCOMPARE(run.Finish(), 0x80);
        QCOMPARE(run.folder.Read("rbuffer.bin"), memory);
        QCOMPARE(run.folder.Read("Msg.sys"), (std::vector<uint8_t>{0x80, test::kTestPort, 0}));

        auto wire = run.radio.ReceivedTimed();
        QCOMPARE(run.radio.Received(), (std::vector<uint8_t>{0x8C, 0xA1, 0x21, 0x21}));
        // The reply comes at once; the tool pauses 1000 ms and 200 ms before its read command,
        // then 10 ms after each byte (arrival times carry some scheduling noise: lower bounds).
        QVERIFY(wire[1].at - wire[0].at >= milliseconds(1190));
        QVERIFY(wire[3].at - wire[1].at >= milliseconds(10));
    }

    void exactlySixteenThousandBytesEndAsInterrupted() {
        sim::SimOptions opt;
        opt.trailer.clear(); // 0xEB and 16,000 bytes, nothing after
        ToolRun run("read_exact", opt);
        run.folder.Write("rbuffer.bin", {1, 2, 3});
        QCOMPARE(run.Launch({"/R"}), TransmitApp::Start::Running);
        run.PressStart();
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"Error: Interrupted Data!"});
        QCOMPARE(run.Finish(), 0x20);
        QCOMPARE(run.folder.Read("rbuffer.bin"), (std::vector<uint8_t>{1, 2, 3})); // untouched
        QCOMPARE(run.Doc().Reception().ReadCount(), 16000);
    }

    void radioThatStopsHalfWayIsInterrupted() {
        sim::SimOptions opt;
        opt.stopAfter = 8000;
        ToolRun run("read_half", opt);
        run.Launch({"/R"});
        run.PressStart();
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"Error: Interrupted Data!"});
        QCOMPARE(run.Finish(), 0x20);
        QCOMPARE(run.Window().ProgressBar()->value(), 50);
    }

    void unwritableReadBufferIsNotReportedAsCompleted() {
        ToolRun run("read_nobuffer");
        std::filesystem::create_directory(run.folder.File("rbuffer.bin"));
        run.Launch({"/R"});
        run.PressStart();
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"Can't open buffer file"});
        QCOMPARE(run.Finish(), 8);
    }

    void chineseTextsFollowTheLanguageByte() {
        ToolRun run("read_chinese", {}, 7);
        run.Launch({"/R"});
        QCOMPARE(run.Window().StartButton()->text(), QString("开始"));
        QCOMPARE(run.Window().StopButton()->text(), QString("停止"));
        run.PressStart();
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"成功: 完成!"});
        QCOMPARE(run.Finish(), 0x80);
        QCOMPARE(run.folder.Read("Msg.sys")[2], uint8_t(7));
    }
};

QTEST_MAIN(TransmitRead)
#include "tst_transmit_read.moc"
