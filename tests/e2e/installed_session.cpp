// An installed copy run by an ordinary user. tests/e2e/installed_as_user.sh installs the build
// into a fresh prefix, puts this program beside the installed editor (so it finds the shipped
// files and the transfer tool exactly as the editor does, from its own executable) and runs it
// as a user who owns nothing of the install, with a home of its own. It drives the main window
// through the installed tool and a simulated radio, saves and reopens a data file and saves a
// voltage table; the script then checks that all of it landed in the user's own folder.
#include "common/ProgramFolder.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/VoltageTables.h"
#include "editor/service/ui/FrmTRxVoltage.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/sim/SimRadio.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <fstream>

namespace fs = std::filesystem;
using namespace vt;

namespace {
std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
} // namespace

class InstalledSession : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    QStringList Boxes() const { return dialogs.boxes.texts(); }
    bool WaitForReturn() {
        return QTest::qWaitFor([&] { return w->isVisible() && !w->ReadTimer->isActive(); }, 60000);
    }

private slots:
    void initTestCase() {
        if (ShippedFolder() == ExecutableFolder())
            QSKIP("not beside an installed editor (tests/e2e/installed_as_user.sh runs this from an install)");
        QVERIFY(!qEnvironmentVariableIsSet("VELTRA_HOME"));
        QVERIFY(fs::exists(ToolProgram()));
        std::string error;
        QVERIFY2(PrepareProgramFolder(&error), error.c_str()); // as the editor's start does
        qputenv("VELTRA_TRANSMIT_AUTOSTART", "1");
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        w->show();
        // The installed tables were found: the start put up no box.
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(" / ")));
        SetBand(*data, 3);
        const char* rows[][3] = {{"145.0000", "145.6000", "BASE"}, {"146.0125", "146.0125", "YARD"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) data->SetCell(r + 1, c + 1, rows[r][c], RecordWrite::Quiet);
        data->CommPort = 7;
    }
    void cleanupTestCase() {
        w.reset();
        data.reset();
    }

    void writeAndReadTheRadioThroughTheInstalledTool() {
        sim::SimRadio radio;
        QVERIFY(radio.Start());
        std::string error;
        QVERIFY2(radio.LinkAs(ProgramFolder(), 7, &error), error.c_str());
        w->WriteBtn->click();
        QVERIFY2(!w->isVisible(), qPrintable(Boxes().join(" / ")));
        QVERIFY(WaitForReturn());
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(" / ")));
        QCOMPARE(ReadAll(ProgramFolder() / "Msg.sys").at(0), uint8_t(0x80));
        QCOMPARE(ReadAll(ProgramFolder() / "wbuffer.bin").size(), size_t(16001));
        const std::vector<uint8_t> image(data->MemImage.begin(), data->MemImage.end());
        QVERIFY(sim::ImageOnceInOrder(radio.Received(), image, 0x3BFF));
        radio.Stop();

        // The radio switched off and on again, holding what was written.
        sim::SimRadio again;
        QVERIFY(again.Start());
        again.SetMemory(radio.Memory());
        QVERIFY2(again.LinkAs(ProgramFolder(), 7, &error), error.c_str());
        w->ClearAll();
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());
        w->ReadBtn->click();
        QVERIFY(WaitForReturn());
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(" / ")));
        QCOMPARE(ReadAll(ProgramFolder() / "rbuffer.bin").size(), size_t(16000));
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QCOMPARE(data->MFG.TextMatrix(2, 3), std::string("YARD"));
    }

    void dataFileSavedAndReopenedInTheUsersDataFolder() {
        const fs::path file = ProgramFolder() / "Data" / "site.dat";
        dialogs.files.answer(test::QPath(file));
        QVERIFY2(w->Menu_Save_Click(), qPrintable(Boxes().join(" / ")));
        // The dialog opened in the user's Data folder, not in the install.
        QCOMPARE(dialogs.files.requests().back().directory, test::QPath(ProgramFolder() / "Data"));
        QCOMPARE(fs::file_size(file), uintmax_t(16001));
        w->ClearAll();
        dialogs.files.answer(test::QPath(file));
        w->Menu_Open_Click();
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(" / ")));
        QCOMPARE(data->MFG.TextMatrix(1, 2), std::string("145.6000"));
        QCOMPARE(data->MFG.TextMatrix(2, 1), std::string("146.0125"));
    }

    void savedVoltageTableTakesThePlaceOfTheShippedOne() {
        // The shipped table of band 0 Rx has another step; the window saves 0.25 MHz.
        VoltageTables shipped;
        shipped.Folder = ShippedFolder();
        QVERIFY(shipped.LoadVoltageTables().empty());
        QVERIFY(shipped.LoadedStep[0][0] != 0.25);
        bool saved = false;
        QTimer::singleShot(200, [&] {
            auto* editor = qobject_cast<FrmTRxVoltage*>(QApplication::activeModalWidget());
            if (!editor) return;
            QLineEdit* step = editor->Text2[0];
            step->setFocus(Qt::MouseFocusReason);
            step->selectAll();
            QTest::keyClicks(step, "0.25");
            QTest::keyClick(step, Qt::Key_Tab);
            QTest::mouseClick(editor->Command1[1], Qt::LeftButton); // "save&Quit"
            saved = true;
        });
        w->mnuTRxVol_Click();
        QVERIFY(saved);
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(" / ")));
        const std::vector<uint8_t> header = ReadAll(ResolvePath(ProgramFolder(), VoltageFileName(0, kVolRx)));
        QVERIFY(header.size() >= 2);
        QCOMPARE(int(header[0]), 2);
        QCOMPARE(int(header[1]), 50);
        VoltageTables next; // what the editor reads on its next start
        QVERIFY(next.LoadVoltageTables().empty());
        QCOMPARE(next.LoadedStep[0][0], 0.25);
    }
};

QTEST_MAIN(InstalledSession)
#include "installed_session.moc"
