// The window's own doors to files: File > Open with what a user may pick by mistake (a folder,
// a huge file, a file of another user), the voltage tables the start-up finds unusable and
// damaged conversion tables under Save and Write.
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ProcessStarter.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QAction>
#include <QFile>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {
// Records every start; starts nothing.
class CountingStarter : public ui::ProcessStarter {
public:
    int starts = 0;
    bool start(const QString&, const QStringList&, QObject*, std::function<void()>) override {
        ++starts;
        return false;
    }
};
} // namespace

class OpenAndTablesTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs;
    ui::ScriptedMessageBox& boxes = dialogs.boxes;
    ui::ScriptedFileDialog& files = dialogs.files;
    std::unique_ptr<test::TempDir> tmp;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    QString Path(const char* name) const { return test::QPath(tmp->File(name)); }

    // A program folder whose tables are links to the shipped ones, so that one can be replaced.
    fs::path MakeHome() {
        fs::path home = tmp->File("home");
        fs::create_directories(home / "resource");
        test::LinkProgramTables(home, {"Language", "Data"});
        for (const auto& e : fs::directory_iterator(fs::path(VELTRA_APP_DIR) / "resource"))
            fs::create_symlink(e.path(), home / "resource" / e.path().filename());
        return home;
    }
    // A program folder of copies that any user can read, wherever the build lies.
    fs::path MakeReadableHome() {
        fs::path home = tmp->File("readable-home");
        test::CopyProgramTables(home, {"Language", "Data", "resource"}, true);
        return home;
    }
    void StartIn(const fs::path& home) {
        w.reset();
        qputenv("VELTRA_HOME", QByteArray::fromStdString(home.string()));
        boxes.clear();
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
    }
    // A named channel in band 3, saved to `path`.
    void SaveSomeData(const QString& path) {
        w->ClearAll();
        vt::SetBand(*data, 3); // the band of the frequencies, as the Band menu would set it
        data->SetCell(1, 1, "150.0125", RecordWrite::Quiet);
        data->SetCell(1, 2, "150.0125", RecordWrite::Quiet);
        data->SetCell(1, 3, "FERRY", RecordWrite::Quiet);
        data->SetCell(1, 4, "HARBOUR", RecordWrite::Quiet);
        files.answer(path);
        QVERIFY(w->Menu_Save_Click());
        w->ClearAll();
        data->ClearModified();
        boxes.clear();
    }
    bool HoldsTheSavedData() const {
        return data->MFG.TextMatrix(1, 1) == "150.0125" && data->MFG.TextMatrix(1, 3) == "FERRY" &&
               data->MFG.TextMatrix(1, 4) == "HARBOUR";
    }

  private slots:
    void init() {
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
        dialogs.Reset();
        tmp = std::make_unique<test::TempDir>("veltra-open-tables");
        tmp->OpenToEveryone(); // others may pass through, as a user's home folder usually lets them
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
    }

    void aFolderChosenAsTheFileIsAnOpenFailure() {
        SaveSomeData(Path("ferry.dat"));
        data->SetCell(2, 1, "151.0000", RecordWrite::Quiet);
        QVERIFY(QDir(test::QPath(tmp->Path())).mkdir("site.dat"));
        files.answer(Path("site.dat"));
        w->Menu_Open_Click();
        QCOMPARE(boxes.texts(), QStringList{w->OpenFailedMsg + "\n" + Path("site.dat") + "\n" + std::strerror(EISDIR)});
        QCOMPARE(data->MFG.TextMatrix(2, 1), std::string("151.0000"));
    }

    // Only the image's 16,001 bytes are read, whatever follows them.
    void aHugeFileOpensWithItsImage() {
        const QString path = Path("huge.dat");
        SaveSomeData(path);
        fs::resize_file(path.toStdString(), 300ull << 20); // sparse: a hole of 300 MB
        files.answer(path);
        w->Menu_Open_Click();
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("150.0125"));
        QCOMPARE(data->MFG.TextMatrix(1, 3), std::string("FERRY"));
        QCOMPARE(data->MFG.TextMatrix(1, 4), std::string("HARBOUR"));
        QVERIFY(w->windowTitle().endsWith("  --  [" + path + "]"));
    }

    // The editor usually runs as an ordinary user; the same doors, as `nobody`.
    void anOrdinaryUserGetsTheSameAnswers() {
        if (::geteuid() != 0) QSKIP("runs as an ordinary user already; the tests above cover it");
        StartIn(MakeReadableHome()); // the build folder itself may be closed to other users
        const QString mine = Path("mine.dat"), theirs = Path("theirs.dat");
        SaveSomeData(mine);
        fs::resize_file(mine.toStdString(), 20ull << 20);
        QVERIFY(QFile::copy(mine, theirs));
        QFile::setPermissions(mine, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::setPermissions(theirs, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(QDir(test::QPath(tmp->Path())).mkdir("folder.dat"));
        files.answer(theirs);
        files.answer(Path("folder.dat"));
        files.answer(mine);
        pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(30);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(20);
            w->Menu_Open_Click(); // another user's file
            const QString denied = w->OpenFailedMsg + "\n" + theirs + "\n" + std::strerror(EACCES);
            if (boxes.texts() != QStringList{denied} || HoldsTheSavedData()) ::_exit(21);
            w->Menu_Open_Click(); // a folder
            if (boxes.texts().size() != 2 || HoldsTheSavedData()) ::_exit(22);
            w->Menu_Open_Click(); // the user's own huge file
            if (boxes.texts().size() != 2 || !HoldsTheSavedData()) ::_exit(23);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void startUpWithGoodTablesSaysNothing() {
        StartIn(MakeHome());
        QVERIFY(boxes.texts().isEmpty());
    }

    // With TX_VOL3.tbl missing every band-3 channel got a Tx voltage byte of 0 without a word.
    void startUpReportsUnusableVoltageTablesAndGoesOn() {
        fs::path home = MakeHome();
        fs::remove(home / "resource" / "TX_VOL3.tbl");
        fs::remove(home / "resource" / "RX_VOL1.tbl");
        std::ofstream(home / "resource" / "RX_VOL1.tbl", std::ios::binary)
            << "\xFF\xFF\x07\x07"; // no storable step
        StartIn(home);
        QCOMPARE(boxes.shown().size(), size_t(1));
        const QString text = boxes.texts()[0];
        QCOMPARE(text,
                 QString("Can not Find correct \\Resource\\RX_VOL1.tbl, Please reinstall the Program.\n"
                         "Can not Find correct \\Resource\\TX_VOL3.tbl, Please reinstall the Program."));
        QCOMPARE(boxes.shown()[0].buttons, ui::MsgButtons::Ok);
        // The editor goes on, with the safe layout for both tables.
        QVERIFY(data->MFG.Rows() > 2);
        QCOMPARE(data->VolTables.VoltageByteB("150.0", 3), uint8_t(0));
        QCOMPARE(data->VolTables.VoltageByteA("55.0", 1), uint8_t(0));
        QVERIFY(data->VolTables.VoltageByteA("150.0", 3) != 0); // a good table keeps its points
    }

    // A table with good first bytes and 0xFF behind them went into files and the radio without a
    // word, every power byte or code 0xFF. Save and Write now show the table's message once, as
    // for a missing table, and write nothing.
    void damagedTablesRefuseSaveAndWrite() {
        for (const char* name : {"enc.Tbl", "dec.Tbl", "dcs.Tbl", "dev.Tbl", "pwr.Tbl"}) {
            fs::path home = MakeHome();
            fs::path table = home / "resource" / name;
            std::string bytes;
            {
                std::ifstream in(table, std::ios::binary);
                bytes.assign(std::istreambuf_iterator<char>(in), {});
            }
            QVERIFY(bytes.size() > 2);
            std::fill(bytes.begin() + 2, bytes.end(), '\xFF');
            fs::remove(table);
            std::ofstream(table, std::ios::binary) << bytes;
            StartIn(home);
            QVERIFY(boxes.texts().isEmpty());
            SetBand(*data, 3);
            data->SetCell(1, ColTxFreq, "150.0125", RecordWrite::Quiet);
            data->SetCell(1, ColRxFreq, "150.0125", RecordWrite::Quiet);
            const QString message = QString("Can not Find correct \\resource\\") + name + ", Please reinstall the Program.";
            const QString saved = Path((std::string(name) + ".dat").c_str());
            files.answer(saved);
            w->Menu_Save->trigger();
            QCOMPARE(boxes.texts(), QStringList{message}); // once
            QVERIFY(!QFile::exists(saved));
            QVERIFY(!w->windowTitle().contains(saved)); // not named as saved
            boxes.clear();
            CountingStarter tool;
            ui::ScopedProcessStarter starter(&tool);
            w->Menu_WriteCHData->trigger();
            QCOMPARE(boxes.texts(), QStringList{message});
            QVERIFY(!fs::exists(home / "wbuffer.bin"));
            QVERIFY(!fs::exists(home / "Msg.sys"));
            QCOMPARE(tool.starts, 0);
            w.reset();
            fs::remove_all(home);
        }
    }
};

QTEST_MAIN(OpenAndTablesTest)
#include "tst_open_and_tables.moc"
