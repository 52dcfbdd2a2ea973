// Reading the radio with the real window against the simulated radio.
// Runs that need the radio at the line's real pace are in tst_transmit_read_paced.cpp.
#include "tests/transmit/ToolHarness.h"
#include "transmit/core/TransmitTimings.h"

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
        run.RecordPauses();
        run.PressStart();
        QCOMPARE(run.folder.Status(), 2); // reading, while the transfer runs
        QVERIFY(!run.Window().StartButton()->isEnabled());
        QVERIFY(run.Window().StopButton()->isEnabled());
        QVERIFY(run.WaitForEnd(30000));
        QCOMPARE(run.boxes.texts(), QStringList{"Completed Process!"});
        QCOMPARE(run.Finish(), 0x80);
        QCOMPARE(run.folder.Read("rbuffer.bin"), memory);
        QCOMPARE(run.folder.Read("Msg.sys"), (std::vector<uint8_t>{0x80, test::kTestPort, 0}));

        QCOMPARE(run.radio.Received(), (std::vector<uint8_t>{0x8C, 0xA1, 0x21, 0x21}));
        // 10 ms after each command byte; after the reply 1000 ms and 200 ms before the read
        // command; no byte before its pause.
        const std::vector<std::pair<milliseconds, size_t>> paused = {
            {kCommandBytePause, 1}, {kReadReplyPause, 1},   {kReadCommandPause, 1},
            {kCommandBytePause, 2}, {kCommandBytePause, 3}, {kCommandBytePause, 4}};
        QCOMPARE(run.pauses.size(), paused.size());
        for (size_t i = 0; i < paused.size(); ++i) {
            QCOMPARE(run.pauses[i].time.count(), paused[i].first.count());
            QVERIFY2(run.pauses[i].received <= paused[i].second, qPrintable(QString("pause %1").arg(i)));
        }
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
