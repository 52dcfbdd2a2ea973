// Reading the radio with the real window against the simulated radio at the line's real pace
// (960 bytes a second): the read must still be running when the line goes or STOP is pressed.
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

class TransmitReadPaced : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(TransmitReadPaced)
#include "tst_transmit_read_paced.moc"
