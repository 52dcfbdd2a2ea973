// Writing the radio at the line's real pace (960 bytes a second each way): a clean write
// completes, every byte sent once, and the radio holds exactly the image, however busy the
// machine (a late echo is waited for, never answered by sending the byte again).
#include "tests/transmit/ToolHarness.h"

using namespace vt;
using test::ToolRun;

class TransmitWritePaced : public QObject {
    Q_OBJECT
private slots:
    void cleanWriteCompletesWithTheImageExact() {
        sim::SimOptions opt;
        opt.paced = true;
        ToolRun run("write_paced", opt);
        auto image = sim::MakeTestImage(kImageSize, 21); // equal neighbours, as real images have
        std::fill(image.begin() + 8000, image.begin() + 9000, uint8_t(0xFF));
        run.folder.Write("wbuffer.bin", image);
        run.Launch({"/W"});
        run.PressStart();
        QVERIFY(run.WaitForEnd(180000));
        int status = run.Finish();
        auto memory = run.radio.Memory();
        bool exact = run.radio.StoredCount() == sim::kWriteBytes &&
                     std::equal(image.begin(), image.begin() + sim::kWriteBytes, memory.begin());
        qInfo("status 0x%02X, radio %s", status, exact ? "exact" : "not exact");
        QCOMPARE(status, 0x80);
        QVERIFY2(exact, "completed over a wrong image");
        QCOMPARE(run.boxes.texts(), QStringList{"Completed Process!"});
        QCOMPARE(run.radio.EarlyBytes(), size_t(0));
    }
};

QTEST_MAIN(TransmitWritePaced)
#include "tst_transmit_write_paced.moc"
