// Save, Write and Open through the window for data sets the image does not hold as they stand:
// a channel row 201 (one area of 200 with MARNET on), which Save and Write leave out, saying so
// in one box, and a data set without any frequency, whose band the image does not name.
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ProcessStarter.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/e2e/EditorHome.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QToolButton>
#include <QtTest>

using namespace vt;

namespace {

// Records the start of the transfer tool instead of starting it.
class RecordingStarter : public ui::ProcessStarter {
public:
    bool start(const QString& program, const QStringList& args, QObject*, std::function<void()>) override {
        started.push_back(program + " " + args.join(' '));
        return true;
    }
    QStringList started;
};

} // namespace

class CodecSaveOpenTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::EditorHome> home;
    test::DialogAnswers dialogs;
    ui::ScriptedMessageBox& boxes = dialogs.boxes;
    ui::ScriptedFileDialog& files = dialogs.files;
    RecordingStarter starter;
    std::unique_ptr<ui::ScopedProcessStarter> starterScope;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    // MARNET on with one area of 200: rows 1..200, the MARNET row 201, the second receiver 202.
    void MarnetWithTwoHundredAndOne() {
        data->SetFarmMarnetInfo("0|||||1|12345|200|0|");
        AdjustArea_Marnet(*data);
        QCOMPARE(data->MFG.Rows(), 203);
        vt::SetBand(*data, 0); // the band of the frequencies, as the Band menu would set it
        for (int r : {1, 200, 201}) {
            data->SetCell(r, 1, "40.0000", RecordWrite::Quiet);
            data->SetCell(r, 2, "40.0000", RecordWrite::Quiet);
        }
        data->SetCell(200, 3, "LAST", RecordWrite::Quiet);
        data->MarkModified();
    }
    // A failed check returns from here only: callers stop on QTest::currentTestFailed(), since
    // what follows reads the box texts.
    void ExpectOneWarningNamingRow201() {
        QCOMPARE(boxes.shown().size(), size_t(1));
        QCOMPARE(boxes.shown()[0].icon, ui::MsgIcon::Warning);
        QCOMPARE(boxes.shown()[0].buttons, ui::MsgButtons::Ok);
        QVERIFY2(boxes.texts()[0].contains("201"), qPrintable(boxes.texts()[0]));
    }

private slots:
    void init() {
        home = std::make_unique<test::EditorHome>();
        dialogs.Reset();
        starter.started.clear();
        starterScope = std::make_unique<ui::ScopedProcessStarter>(&starter);
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        w->show();
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
        starterScope.reset();
        home.reset();
    }

    void saveWarnsAndWritesTheFile() {
        MarnetWithTwoHundredAndOne();
        const QString path = QString::fromStdString(home->File("marnet.dat").string());
        files.answer(path);
        QVERIFY(w->Menu_Save_Click());
        ExpectOneWarningNamingRow201();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(QFileInfo(path).size(), qint64(16001));
        QVERIFY(!data->IsModified());

        // The file opens again with every channel the radio holds.
        boxes.clear();
        files.answer(path);
        w->Menu_Open_Click();
        QVERIFY(boxes.shown().empty());
        QCOMPARE(data->MFG.Rows(), 203);
        QCOMPARE(data->MFG.TextMatrix(200, 3), std::string("LAST"));
        QCOMPARE(data->MFG.TextMatrix(200, 1), std::string("40.0000"));
        QCOMPARE(data->MFG.TextMatrix(201, 1), std::string());
    }

    void closingTheWarningStillSaves() {
        MarnetWithTwoHundredAndOne();
        const QString path = QString::fromStdString(home->File("closed.dat").string());
        files.answer(path);
        boxes.answer(ui::MsgResult::Cancel); // the close box of the warning
        QVERIFY(w->Menu_Save_Click());
        ExpectOneWarningNamingRow201();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(QFileInfo(path).size(), qint64(16001));
    }

    void writeWarnsAndHandsTheImageOver() {
        MarnetWithTwoHundredAndOne();
        w->WriteBtn->click();
        ExpectOneWarningNamingRow201();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(starter.started.size(), 1);
        QVERIFY(starter.started[0].endsWith("/W"));
        QCOMPARE(home->Read("wbuffer.bin").size(), size_t(16001));
        QCOMPARE(home->Read("wbuffer.bin")[0x1600 + 199 * 48 + 0x14], uint8_t('L'));
    }

    void chineseWarningComesFromTheLanguageFile() {
        w->Menu_Chinese_Click();
        MarnetWithTwoHundredAndOne();
        boxes.clear();
        files.answer(QString::fromStdString(home->File("chs.dat").string()));
        QVERIFY(w->Menu_Save_Click());
        ExpectOneWarningNamingRow201();
        if (QTest::currentTestFailed()) return;
        QVERIFY2(boxes.texts()[0].startsWith(QString::fromUtf8("部分数据")), qPrintable(boxes.texts()[0]));
    }

    // Powers filled before any frequency, in the band the editor started with and in one picked
    // from the Band menu: Open gives the band and every power back.
    void openWithoutFrequencyKeepsBandAndPowers() {
        for (int band : {1, 3}) {
            w->ClearAll();
            if (band != 0) {
                boxes.answer(ui::MsgResult::Ok); // the band question, if any
                w->Menu_Band_Item[static_cast<size_t>(band)]->trigger();
            }
            QCOMPARE(data->BandIndex, band);
            for (int r = 1; r <= 200; ++r)
                data->SetCell(r, 15, std::to_string(1 + r % 50), RecordWrite::Quiet);
            data->MarkModified();
            const QString path = QString::fromStdString(home->File("powers.dat").string());
            files.answer(path);
            QVERIFY(w->Menu_Save_Click());
            boxes.clear();
            files.answer(path);
            w->Menu_Open_Click();
            QVERIFY(boxes.shown().empty());
            QCOMPARE(data->BandIndex, band);
            QVERIFY(w->Menu_Band_Item[static_cast<size_t>(band)]->isChecked());
            QVERIFY(!w->Menu_Band_Item[0]->isChecked() || band == 0);
            for (int r = 1; r <= 200; ++r) QCOMPARE(data->MFG.TextMatrix(r, 15), std::to_string(1 + r % 50));
        }
    }
};

QTEST_MAIN(CodecSaveOpenTest)
#include "tst_codec_save_open.moc"
