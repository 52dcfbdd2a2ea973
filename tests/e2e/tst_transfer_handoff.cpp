// The editor's side of a transfer, with a stand-in tool that leaves chosen statuses.
#include "common/ui/MessageBox.h"
#include "common/ui/ProcessStarter.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/e2e/EditorHome.h"

#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace vt;

class TransferHandoff : public QObject {
    Q_OBJECT
    std::unique_ptr<test::EditorHome> home;
    ui::ScriptedMessageBox boxes;
    std::unique_ptr<ui::ScopedMessageBox> boxScope;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    void FillChannels() {
        vt::SetBand(*data, 3); // the band of the frequencies, as the Band menu would set it
        data->SetCell(1, 1, "145.0000", RecordWrite::Quiet);
        data->SetCell(1, 2, "145.6000", RecordWrite::Quiet);
        data->SetCell(1, 3, "BASE", RecordWrite::Quiet);
        data->SetCell(2, 1, "146.0125", RecordWrite::Quiet);
        data->SetCell(2, 2, "146.0125", RecordWrite::Quiet);
    }
    bool WaitForReturn(int ms = 15000) {
        return QTest::qWaitFor([&] { return w->isVisible() && !w->ReadTimer->isActive(); }, ms);
    }
    bool WaitForStart() {
        return QTest::qWaitFor([&] { return std::filesystem::exists(home->File("args.txt")); }, 10000);
    }
    std::string Args() {
        auto b = home->Read("args.txt");
        return std::string(b.begin(), b.end());
    }

private slots:
    void init() {
        home = std::make_unique<test::EditorHome>();
        boxes.clear();
        boxScope = std::make_unique<ui::ScopedMessageBox>(&boxes);
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        w->show();
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
        boxScope.reset();
        home.reset();
    }

    void writeWithoutChannelOneIsRefused() {
        home->FakeTool("status 128");
        data->SetCell(1, 1, "145.0000", RecordWrite::Quiet); // Rx empty
        w->Menu_WriteCHData_Click();
        QCOMPARE(boxes.texts(), QStringList{w->NoChannelOneMsg});
        QVERIFY(!std::filesystem::exists(home->File("wbuffer.bin")));
        QVERIFY(!std::filesystem::exists(home->File("Msg.sys")));
        QVERIFY(w->isVisible());
    }

    void writeHandsOverImageAndRequestThenComesBack() {
        home->FakeTool("sleep 0.3; status 4; sleep 1.2; status 128");
        home->Write("Msg.sys", std::vector<uint8_t>(10, 0x77)); // bytes 3..9 must stay
        FillChannels();
        data->CommPort = 3;
        w->Menu_Chinese_Click();
        data->MarkModified();
        boxes.clear();
        w->WriteBtn->click();
        QVERIFY(!w->isVisible());
        QVERIFY(w->ReadTimer->isActive());
        QCOMPARE(data->TransferMode, 1);
        QVERIFY(WaitForStart());
        QVERIFY(QTest::qWaitFor([&] { return std::filesystem::exists(home->File("request.bin")); }, 5000));
        auto request = home->Read("request.bin");
        QCOMPARE(std::vector<uint8_t>(request.begin(), request.begin() + 3), (std::vector<uint8_t>{1, 3, 1}));
        QCOMPARE(request.size(), size_t(10));
        QCOMPARE(request[9], uint8_t(0x77));
        QCOMPARE(Args(), std::string("/W\n"));
        auto wbuffer = home->Read("wbuffer.bin");
        QCOMPARE(wbuffer.size(), size_t(16001));
        QVERIFY(std::equal(wbuffer.begin(), wbuffer.end(), data->MemImage.begin()));
        QVERIFY(WaitForReturn());
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000")); // a write changes no data
        QVERIFY(data->IsModified());
    }

    void completedReadDecodesTheRadioImage() {
        FillChannels();
        data->SetAreaName(1, "FIELD");
        QVERIFY(w->EncodeImageOrReport(ImageSource::Radio));
        home->Write("radio.bin", std::vector<uint8_t>(data->MemImage.begin(), data->MemImage.begin() + 16000));
        home->FakeTool("sleep 0.3; status 2; cp radio.bin rbuffer.bin; status 128");
        home->Write("rbuffer.bin", std::vector<uint8_t>(16000, 0)); // a stale answer
        data->ClearModified();
        w->ReadBtn->click();
        QCOMPARE(data->TransferMode, 0);
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string()); // cleared before anything is read
        QVERIFY(WaitForReturn());
        QVERIFY(!std::filesystem::exists(home->File("rbuffer_was_there")));
        QCOMPARE(Args(), std::string("/R\n"));
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QCOMPARE(data->MFG.TextMatrix(2, 2), std::string("146.0125"));
        QCOMPARE(data->MFG.TextMatrix(1, 3), std::string("BASE"));
        QVERIFY(!data->IsModified());
        QVERIFY(w->windowTitle().endsWith("[noname.dat]"));
    }

    void failedReadsLeaveTheDataCleared() {
        for (int code : {8, 0x10, 0x20, 0x40}) {
            std::filesystem::remove(home->File("args.txt"));
            home->FakeTool("status " + std::to_string(code) + "; cp Msg.sys rbuffer.bin");
            FillChannels();
            data->ClearModified();
            w->Menu_ReadCHData_Click();
            QVERIFY(WaitForReturn());
            QVERIFY(boxes.texts().isEmpty());
            QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());
        }
    }

    // The first tool leaves its final status and lingers; the user starts the next read before
    // it ends. Its end must not pass for the end of the second transfer.
    void anEarlierToolEndingLateLeavesTheNextTransferAlone() {
        home->FakeTool("n=$(cat runs 2>/dev/null || echo 0); echo $((n + 1)) > runs\n"
                       "if [ \"$n\" = 0 ]; then status 32; sleep 2; else sleep 3.5; status 32; fi");
        w->Menu_ReadCHData_Click();
        QVERIFY(WaitForReturn());
        w->Menu_ReadCHData_Click();
        QVERIFY(!w->isVisible());
        QVERIFY(WaitForReturn());
        QVERIFY(boxes.texts().isEmpty());
        // Back only once the second tool has said how it ended.
        QCOMPARE(home->Read("Msg.sys").at(0), uint8_t(32));
    }

    void completedReadWithoutAnswerSaysSo() {
        home->FakeTool("status 128");
        w->Menu_ReadCHData_Click();
        QVERIFY(WaitForReturn());
        QCOMPARE(boxes.texts(), QStringList{w->OpenFailedMsg});
    }

    void otherStatusesKeepWaiting() {
        home->FakeTool("status 85; sleep 1.6; status 1; sleep 1.2; status 128");
        FillChannels();
        w->Menu_WriteCHData_Click();
        QVERIFY(WaitForStart());
        QTest::qWait(2500);
        QVERIFY(!w->isVisible());
        QVERIFY(WaitForReturn());
    }

    void toolEndingWithoutResultBringsTheEditorBack() {
        home->FakeTool("status 2; sleep 0.2");
        w->Menu_ReadCHData_Click();
        QVERIFY(WaitForReturn());
        QCOMPARE(boxes.texts(), QStringList{"The transfer tool ended without a result."});
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());
    }

    void missingToolCannotStart() {
        FillChannels();
        w->Menu_WriteCHData_Click();
        QCOMPARE(boxes.texts(), QStringList{"Error VC start!"});
        QVERIFY(w->isVisible());
        QVERIFY(!w->ReadTimer->isActive());
    }

    void unwritableRequestStartsNoTool() {
        home->FakeTool("status 128");
        std::filesystem::create_directory(home->File("Msg.sys"));
        FillChannels();
        w->Menu_WriteCHData_Click();
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(w->isVisible());
        QTest::qWait(300);
        QVERIFY(!std::filesystem::exists(home->File("args.txt")));
    }

    void encodeErrorStartsNoTool() {
        home->FakeTool("status 128");
        FillChannels();
        data->SetCell(1, 3, "名字", RecordWrite::Quiet); // no Windows-1252 byte for these
        w->Menu_WriteCHData_Click();
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(!std::filesystem::exists(home->File("wbuffer.bin")));
        QVERIFY(!std::filesystem::exists(home->File("Msg.sys")));
        QVERIFY(w->isVisible());
    }

    void cancelledSavePromptCancelsTheRead() {
        home->FakeTool("status 128");
        FillChannels();
        data->MarkModified();
        boxes.answer(ui::MsgResult::Cancel);
        w->Menu_ReadCHData_Click();
        QCOMPARE(boxes.texts(), QStringList{w->SaveChangesMsg});
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QVERIFY(!std::filesystem::exists(home->File("Msg.sys")));
        boxes.clear();
        boxes.answer(ui::MsgResult::No);
        w->Menu_ReadCHData_Click();
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());
        QVERIFY(WaitForReturn());
    }
};

QTEST_MAIN(TransferHandoff)
#include "tst_transfer_handoff.moc"
