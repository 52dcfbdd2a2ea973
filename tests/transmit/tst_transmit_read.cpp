// Reading the radio with the real window against the simulated radio.
#include "tests/transmit/ToolHarness.h"

#include <sys/resource.h>

using namespace vt;
using namespace std::chrono;
using test::ToolRun;

namespace {
double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
} // namespace

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

    void hangupEndsTheReaderWithoutSpinning() {
        sim::SimOptions opt;
        opt.paced = true;
        ToolRun run("read_hangup", opt);
        run.Launch({"/R"});
        run.PressStart();
        QVERIFY(test::WaitUntil([&] { return run.radio.StreamedCount() > 1000; }, 10000));
        run.radio.Hangup(); // the adapter is pulled
        double cpu = CpuSeconds();
        auto wall = steady_clock::now();
        QVERIFY(run.WaitForEnd(30000));
        double spent = CpuSeconds() - cpu;
        double waited = duration<double>(steady_clock::now() - wall).count();
        QVERIFY2(spent < waited * 0.5, qPrintable(QString("cpu %1 s in %2 s").arg(spent).arg(waited)));
        QCOMPARE(run.boxes.texts(), QStringList{"Error: Interrupted Data!"});
        QCOMPARE(run.Finish(), 0x20);
    }

    void stopEndsWithoutResult() {
        sim::SimOptions opt;
        opt.paced = true;
        ToolRun run("read_stop", opt);
        run.Launch({"/R"});
        run.PressStart();
        QVERIFY(test::WaitUntil([&] { return run.radio.StreamedCount() > 500; }, 10000));
        run.PressStop();
        QVERIFY(run.quit);
        QVERIFY(!run.Doc().IsConnected());
        QVERIFY(run.boxes.texts().isEmpty());
        QCOMPARE(run.Finish(), 8);
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
