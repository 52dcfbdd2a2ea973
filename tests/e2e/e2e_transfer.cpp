// End to end: the editor's data through the real transmit program into the simulated radio on
// a pseudo-terminal mapped as ports/COM7, and the radio's memory read back into the editor. The
// tool is pressed through its test-only hook VELTRA_TRANSMIT_AUTOSTART=1 (it clicks its own
// START and answers its boxes).
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/e2e/EditorHome.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/ToolHarness.h"

#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace vt;

class TransferEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<test::EditorHome> home;
    ui::ScriptedMessageBox boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;
    std::unique_ptr<sim::SimRadio> radio;

    void FillDataSet() {
        vt::SetBand(*data, 3); // the band of the frequencies, as the Band menu would set it
        const char* rows[][4] = {{"145.0000", "145.6000", "BASE", "NORTH GATE"},
                                 {"146.0125", "146.0125", "YARD", ""},
                                 {"150.5000", "151.5000", "TRUCK 7", "EAST"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) data->SetCell(r + 1, c + 1, rows[r][c], RecordWrite::Quiet);
        data->SetFiveToneLine(1, "CALL 12345|ZVEI1|Base|CURRENT|3|");
        data->SetAreaName(1, "FIELD");
    }
    bool WaitForReturn(int ms) {
        return QTest::qWaitFor([&] { return w->isVisible() && !w->ReadTimer->isActive(); }, ms);
    }

private slots:
    void init() {
        home = std::make_unique<test::EditorHome>();
        home->LinkRealTool();
        radio = std::make_unique<sim::SimRadio>();
        QVERIFY(radio->Start());
        QVERIFY(radio->LinkAs(home->Path(), 7));
        qputenv("VELTRA_TRANSMIT_AUTOSTART", "1");
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the tool is a program of its own
        scope = std::make_unique<ui::ScopedMessageBox>(&boxes);
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        w->show();
        data->CommPort = 7;
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
        scope.reset();
        radio->Stop();
        radio.reset();
        qunsetenv("VELTRA_TRANSMIT_AUTOSTART");
        home.reset();
    }

    void writtenDataArriveByteForByte() {
        FillDataSet();
        w->WriteBtn->click();
        QVERIFY2(!w->isVisible(), qPrintable(boxes.texts().join(" / ")));
        QVERIFY(WaitForReturn(60000));
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(" / ")));
        QCOMPARE(home->Read("Msg.sys")[0], uint8_t(0x80));
        // The wire carries 8C, A0 20 20 and the image once, in order: the radio's memory is exact.
        std::vector<uint8_t> image(data->MemImage.begin(), data->MemImage.end());
        auto wire = radio->Received();
        QVERIFY(std::vector<uint8_t>(wire.begin(), wire.begin() + 4) == (std::vector<uint8_t>{0x8C, 0xA0, 0x20, 0x20}));
        QVERIFY(test::ImageOnceInOrder(wire, image, 0x3BFF));
        auto memory = radio->Memory();
        QVERIFY(std::equal(image.begin(), image.begin() + 0x3BFF, memory.begin()));
        QCOMPARE(radio->StoredCount(), size_t(0x3BFF));
    }

    void readMemoryAppearsInTheGrid() {
        // The radio holds what this data set encodes to; a fresh decode of it is what the grid,
        // the options and the 5-tone list must show after the read.
        FillDataSet();
        std::string option = kDefaultRadioOption;
        option.replace(0, 6, "2|20|"); // two areas of twenty channels
        data->SetRadioOption(option);
        AdjustArea_Marnet(*data);
        QVERIFY2(w->EncodeImageOrReport(ImageSource::Radio), qPrintable(boxes.texts().join(" / ")));
        std::vector<uint8_t> image(data->MemImage.begin(), data->MemImage.begin() + 16000);
        radio->SetMemory(image);
        w->ClearAll();
        data->MemImage.fill(0);
        std::copy(image.begin(), image.end(), data->MemImage.begin());
        w->DecodeMemImage(ImageSource::Radio);
        EditorData expected = *data;
        w->ClearAll();
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());

        w->ReadBtn->click();
        QVERIFY(WaitForReturn(60000));
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(" / ")));
        QCOMPARE(home->Read("Msg.sys")[0], uint8_t(0x80));
        QCOMPARE(home->Read("rbuffer.bin"), image);
        QCOMPARE(data->MFG.Rows(), expected.MFG.Rows());
        for (int r = 1; r < data->MFG.Rows(); ++r)
            for (int c = 1; c < data->MFG.Cols(); ++c)
                QCOMPARE(data->MFG.TextMatrix(r, c), expected.MFG.TextMatrix(r, c));
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QCOMPARE(data->RadioOption(), expected.RadioOption());
        QCOMPARE(data->RadioOption().substr(0, 5), std::string("2|20|"));
        QCOMPARE(data->FiveToneInfo(), expected.FiveToneInfo());
        for (int n = 1; n <= 100; ++n)
            QCOMPARE(data->FiveToneChannels()[n], expected.FiveToneChannels()[n]);
        QCOMPARE(data->AreaNames()[1], std::string("FIELD"));
        QVERIFY(!data->FiveToneChannels()[1].empty());
    }
};

QTEST_MAIN(TransferEndToEnd)
#include "e2e_transfer.moc"
