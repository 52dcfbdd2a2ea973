// The File menu: New, Open, Save, Print and Print To File through the window, with the file
// dialogs and message boxes answered from a script.
#include "common/TextUtil.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/Printer.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vt;

class DataFilesTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs;
    ui::ScriptedMessageBox& boxes = dialogs.boxes;
    ui::ScriptedFileDialog& files = dialogs.files;
    std::unique_ptr<test::TempDir> tmp;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    QString Path(const char* name) const { return test::QPath(tmp->File(name)); }

    // A few distinctive channels and settings, as a user would leave them.
    void FillSomeData() {
        w->ClearAll();
        data->SetCell(1, 1, "145.0000", RecordWrite::Quiet);
        data->SetCell(1, 2, "145.6000", RecordWrite::Quiet);
        data->SetCell(1, 3, "BASE", RecordWrite::Quiet);
        data->SetCell(1, 4, "NORTH GATE", RecordWrite::Quiet);
        data->SetCell(2, 1, "146.0125", RecordWrite::Quiet);
        data->SetCell(2, 2, "146.0125", RecordWrite::Quiet);
        data->SetAreaName(1, "FIELD");
        data->MarkModified();
    }

    void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void init() {
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
        dialogs.Reset();
        tmp = std::make_unique<test::TempDir>("veltra-data-files");
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
    }

    void newAsksAndCancelKeepsEverything() {
        FillSomeData();
        boxes.answer(ui::MsgResult::Cancel);
        w->Menu_New_Click();
        QCOMPARE(boxes.shown().size(), size_t(1));
        QCOMPARE(boxes.shown()[0].buttons, ui::MsgButtons::YesNoCancel);
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QVERIFY(data->IsModified());
    }

    void newYesWithCancelledSaveKeepsTheData() {
        FillSomeData();
        boxes.answer(ui::MsgResult::Yes); // save first ...
        w->Menu_New_Click();              // ... and the Save As dialog is cancelled (no answer queued)
        QCOMPARE(files.requests().size(), size_t(1));
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QVERIFY(data->IsModified());
    }

    void newNoClearsTheDataSet() {
        FillSomeData();
        boxes.answer(ui::MsgResult::No);
        w->Menu_New_Click();
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string());
        QCOMPARE(data->MFG.Rows(), 202);
        QCOMPARE(data->AreaNames()[1], std::string("1"));
        QCOMPARE(data->BandIndex, 0);
        QVERIFY(!data->IsModified());
        QVERIFY(w->windowTitle().endsWith("  --  [noname.dat]"));
    }

    void saveThenOpenGivesTheSameData() {
        FillSomeData();
        const QString path = Path("site.dat");
        files.answer(path);
        QVERIFY(w->Menu_Save_Click());
        QCOMPARE(QFileInfo(path).size(), qint64(16001));
        QVERIFY(!data->IsModified());
        QVERIFY(w->windowTitle().endsWith("  --  [" + path + "]"));
        QCOMPARE(files.requests()[0].kind, ui::FileDialogRequest::Save);
        QVERIFY(files.requests()[0].filter.contains("(*.dat)"));

        const std::string option = data->RadioOption();
        w->ClearAll();
        files.answer(path);
        w->Menu_Open_Click();
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QCOMPARE(data->MFG.TextMatrix(1, 2), std::string("145.6000"));
        QCOMPARE(data->MFG.TextMatrix(1, 3), std::string("BASE"));
        QCOMPARE(data->MFG.TextMatrix(1, 4), std::string("NORTH GATE"));
        QCOMPARE(data->MFG.TextMatrix(2, 1), std::string("146.0125"));
        QCOMPARE(data->RadioOption(), option);
        QCOMPARE(data->BandIndex, 3); // 135 -- 175 MHz, taken from channel 1
        QVERIFY(!data->IsModified());
        QVERIFY(w->windowTitle().endsWith("  --  [" + path + "]"));
    }

    void saveReplacesALongerFileWhole() {
        const QString path = Path("old.dat");
        WriteBytes(path, QByteArray(20000, 'x'));
        FillSomeData();
        files.answer(path);
        QVERIFY(w->Menu_Save_Click());
        QCOMPARE(QFileInfo(path).size(), qint64(16001));
    }

    void saveFailureIsReportedAndChangesNothing() {
        FillSomeData();
        const QString before = w->windowTitle();
        files.answer(Path("no/such/folder/x.dat"));
        QVERIFY(!w->Menu_Save_Click());
        QVERIFY(!boxes.texts().isEmpty());
        QVERIFY(data->IsModified());
        QCOMPARE(w->windowTitle(), before);
    }

    // A failed save names the file and the system's reason and says that nothing was saved; a
    // file already there is untouched (no byte, no permission, no piece of the new one beside
    // it) and the box says so. Each case in a child: a write cut short, or an ordinary user: in
    // a folder of root's, and with a file of the user's own that only its read-only mark
    // protects, in a folder that user may write (a temporary file there would succeed).
    void saveFailureNamesTheFileAndKeepsTheOldOne() {
        FillSomeData();
        const QString before = w->windowTitle();
        const QString old = Path("old.dat"), readOnly = Path("own/read-only.dat");
        const QByteArray oldBytes(20000, 'x');
        WriteBytes(old, oldBytes);
        QVERIFY(QDir(test::QPath(tmp->Path())).mkdir("folder.dat"));
        QVERIFY(QDir(test::QPath(tmp->Path())).mkdir("own"));
        WriteBytes(readOnly, oldBytes);
        std::filesystem::permissions(tmp->File("own/read-only.dat"), std::filesystem::perms(0444));
        const bool root = ::geteuid() == 0;
        if (root) { // the user's own folder and file
            QCOMPARE(::chown(tmp->File("own").c_str(), 65534, 65534), 0);
            QCOMPARE(::chown(tmp->File("own/read-only.dat").c_str(), 65534, 65534), 0);
        }
        std::filesystem::permissions(tmp->Path(), std::filesystem::perms(0755)); // others may look in
        // The ordinary user's Save reads the tables too: a copy that user can read, wherever the
        // build lies (a fresh clone in a folder of root's own).
        test::TempDir tables("veltra-data-files-tables");
        tables.OpenToEveryone();
        test::CopyProgramTables(tables.Path(), {"Language", "resource"}, true);
        test::ScopedEnv home("VELTRA_HOME", tables.Path().string());
        const QString notSaved = QString::fromStdString(data->Lang.Text("Fradio_Msg", 23));
        const QString kept = QString::fromStdString(data->Lang.Text("Fradio_Msg", 24));
        const struct {
            QString path;
            rlim_t fileSizeLimit; // 0: none
            bool asNobody;
            int reason;
            bool oldFileKept;
        } cases[] = {{Path("no/such/folder/x.dat"), 0, false, ENOENT, false},
                     {Path("folder.dat"), 0, false, EISDIR, false},
                     {old, 4096, false, EFBIG, true}, // the disk fills up half-way
                     {old, 0, true, EACCES, true},
                     {readOnly, 0, root, EACCES, true}};
        const QFileDevice::Permissions oldMode = QFile::permissions(old), readOnlyMode = QFile::permissions(readOnly);
        for (const auto& c : cases) {
            if (c.asNobody && !root) continue; // an ordinary user already: the file is writable
            QString expected = notSaved + "\n" + c.path + "\n" + QString::fromLocal8Bit(std::strerror(c.reason));
            if (c.oldFileKept) expected += "\n" + kept;
            dialogs.Reset(); // the child took the last answer, not this process
            files.answer(c.path);
            pid_t pid = ::fork();
            if (pid == 0) {
                ::alarm(30);
                ::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{c.fileSizeLimit, c.fileSizeLimit};
                if (c.fileSizeLimit && ::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(20);
                if (c.asNobody && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(21);
                if (w->Menu_Save_Click()) ::_exit(22);
                if (boxes.texts() != QStringList{expected}) {
                    std::fprintf(stderr, "%s\n", qPrintable(boxes.texts().join(" / ")));
                    ::_exit(23);
                }
                ::_exit(data->IsModified() && w->windowTitle() == before ? 0 : 24);
            }
            int status = 0;
            ::waitpid(pid, &status, 0);
            QVERIFY2(WIFEXITED(status), qPrintable(c.path));
            QCOMPARE(WEXITSTATUS(status), 0);
            for (const QString& kept : {old, readOnly}) {
                QFile f(kept);
                QVERIFY(f.open(QIODevice::ReadOnly));
                QCOMPARE(f.readAll(), oldBytes);
            }
            QCOMPARE(QFile::permissions(old), oldMode);
            QCOMPARE(QFile::permissions(readOnly), readOnlyMode);
            QCOMPARE(QDir(test::QPath(tmp->Path())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     (QStringList{"folder.dat", "old.dat", "own"}));
            QCOMPARE(QDir(test::QPath(tmp->File("own"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     QStringList{"read-only.dat"});
        }
    }

    void openCancelledOrUnreadableLeavesTheDataSet() {
        FillSomeData();
        data->ClearModified();
        w->Menu_Open_Click(); // dialog cancelled
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));

        files.answer(Path("missing.dat"));
        w->Menu_Open_Click();
        QCOMPARE(boxes.texts(), QStringList{w->OpenFailedMsg + "\n" + Path("missing.dat") + "\n" + std::strerror(ENOENT)});
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));

        const QString shortFile = Path("short.dat");
        WriteBytes(shortFile, QByteArray(10, '\0'));
        files.answer(shortFile);
        w->Menu_Open_Click();
        QCOMPARE(boxes.texts().size(), 2);
        QCOMPARE(boxes.texts()[1], w->OpenFailedMsg + "\n" + shortFile + "\nThe file holds 10 bytes, fewer than a radio image.");
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
        QCOMPARE(data->AreaNames()[1], std::string("FIELD"));
    }

    void openAsksTheSaveQuestionFirst() {
        FillSomeData();
        boxes.answer(ui::MsgResult::Cancel);
        w->Menu_Open_Click();
        QCOMPARE(files.requests().size(), size_t(0)); // no dialog after Cancel
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
    }

    void textExportWritesTheReport() {
        FillSomeData();
        data->SetRadioOption([] {
            auto f = Split(kDefaultRadioOption);
            f[0] = "2";
            f[1] = "20";
            return Join(f);
        }());
        AdjustArea_Marnet(*data);
        data->SetFiveToneLine(1, "CALL 12345|ZVEI1|Base|CURRENT|3|");
        const QString path = Path("report.txt");
        files.answer(path);
        w->Menu_PrintFile_Click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.startsWith("\r\nCH  TXFREQ"));
        QVERIFY(text.contains("\r\n1   145.0000   145.6000 BASENORTH GATE          "));
        QVERIFY(text.contains("\r\nNum Of Area:  2\r\r\n"));
        QVERIFY(text.contains("\r\nROUND:  2\r\r\r\n"));
        QVERIFY(text.contains("\r\n1  CALL 12345  ZVEI1  Base   CURRENT     3   \r\r\n"));
        QVERIFY(text.contains("\r\nAREA 1:  FIELD\r\r\n"));
        // 40 channel rows and the second receiver, numbered 1 to 41.
        QVERIFY(text.contains("\r\n41   0.0000   0.0000 SECONDRECEIVER"));
        const int second = text.indexOf("\r\n41   0.0000");
        QCOMPARE(text.indexOf("\r\nRadio Option---"), text.indexOf("\r\n", second + 2));
        QVERIFY(files.requests()[0].filter.contains("(*.txt)"));
    }

    // A name typed without an extension gets the dialog's, so the Open dialog lists the file; a
    // name with any dot is kept as typed.
    void typedNamesGetTheFiltersExtension() {
        test::ProgramHome home("veltra-typed-names");
        test::LinkProgramTables(home.Path(), {"Language", "resource"});
        const QDir dataDir(test::QPath(home.File("Data")));
        QVERIFY(dataDir.mkpath("."));
        const struct {
            const char* typed;
            const char* written;
            bool report;
        } cases[] = {{"fleet1", "fleet1.dat", false},    {"fleet2.txt", "fleet2.txt", false},
                     {"fleet3.", "fleet3.", false},      {"report", "report.txt", true}};
        for (const auto& c : cases) {
            FillSomeData();
            files.answer(dataDir.filePath(c.typed));
            if (c.report)
                w->Menu_PrintFile_Click();
            else
                QVERIFY(w->Menu_Save_Click() && w->windowTitle().endsWith("[" + dataDir.filePath(c.written) + "]"));
            QVERIFY2(QFileInfo::exists(dataDir.filePath(c.written)), c.typed);
            QCOMPARE(QFileInfo::exists(dataDir.filePath(c.typed)), QString(c.typed) == c.written);
        }

        boxes.answer(ui::MsgResult::No); // the report's data set is not saved
        w->Menu_Open_Click();            // what the Open dialog lists: its folder through its first filter
        const ui::FileDialogRequest& open = files.requests().back();
        QCOMPARE(open.kind, ui::FileDialogRequest::Open);
        const QString pattern = QRegularExpression("\\((.*?)\\)").match(open.filter).captured(1);
        QCOMPARE(QDir(open.directory).entryList({pattern}, QDir::Files), QStringList{"fleet1.dat"});
    }

    // The real dialog: with "fleet1.dat" there, "fleet1" typed asks about replacing fleet1.dat.
    void theReplaceQuestionNamesTheFileWritten() {
        const QString dir = test::QPath(tmp->Path());
        WriteBytes(Path("fleet1.dat"), "old");
        // A user at the dialog: "fleet1" and Enter; Yes to a question about replacing a file.
        QString question;
        bool typed = false;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (typed || !name) return dialog->reject(); // still open: the test fails, not hangs
                typed = true;
                name->setText("fleet1");
                // Posted: a timer is not run again while its own slot waits in the question box.
                QMetaObject::invokeMethod(name, [name] { QTest::keyClick(name, Qt::Key_Return); }, Qt::QueuedConnection);
            }
        });
        user.start(20);
        ui::QtFileDialog real;
        ui::ScopedFileDialog scope(&real);
        ui::FileDialogRequest r{ui::FileDialogRequest::Save, "", dir, "", "data files (*.dat)", "dat"};
        QCOMPARE(ui::chooseFile(nullptr, r), QDir(dir).filePath("fleet1.dat"));
        QVERIFY2(question.contains("fleet1.dat"), qPrintable(question));
    }

    // Print To File on a disk that fills up half-way or is read-only: the box names the file,
    // the system's reason and, where there was one, that the older report is still there; that
    // one is untouched and nothing is left beside it. Each case in a child, which as root gets a
    // disk of its own (a small tmpfs filled up, a read-only bind mount); an ordinary user gets a
    // file size limit and a read-only folder instead.
    void textExportFailureKeepsTheOlderReport() {
        FillSomeData();
        const QString notSaved = QString::fromStdString(data->Lang.Text("Fradio_Msg", 23));
        const QString kept = QString::fromStdString(data->Lang.Text("Fradio_Msg", 24));
        const QByteArray older = "an older report\r\r\n";
        const struct {
            const char* disk;
            bool full;
            bool olderReport;
        } cases[] = {{"full", true, true}, {"read-only", false, true}, {"read-only-new", false, false}};
        for (const auto& c : cases) {
            const std::filesystem::path dir = tmp->File(c.disk), file = dir / "report.txt";
            const QString path = test::QPath(file);
            std::filesystem::create_directory(dir);
            dialogs.Reset();
            files.answer(path);
            pid_t pid = ::fork();
            if (pid == 0) {
                ::alarm(30);
                const bool ownDisk = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                                     ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
                if (c.full && ownDisk && ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=256k") != 0)
                    ::_exit(20);
                if (c.olderReport) WriteBytes(path, older);
                int reason = 0;
                if (c.full && ownDisk) { // all but 8 KiB taken: the report fills the rest
                    const int fd = ::open((dir / "filler").c_str(), O_WRONLY | O_CREAT, 0644);
                    const std::vector<char> block(65536, 'f');
                    off_t size = 0;
                    for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;)
                        size += n;
                    if (::ftruncate(fd, size - 8192) != 0) ::_exit(21);
                    ::close(fd);
                    reason = ENOSPC;
                } else if (c.full) {
                    ::signal(SIGXFSZ, SIG_IGN);
                    const rlimit limit{8192, 8192};
                    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(21);
                    reason = EFBIG;
                } else if (ownDisk) {
                    if (::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                        ::mount(nullptr, dir.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) !=
                            0)
                        ::_exit(22);
                    reason = EROFS;
                } else {
                    if (::geteuid() == 0) ::_exit(77); // root without mounts writes anywhere
                    std::filesystem::permissions(dir, std::filesystem::perms(0555));
                    reason = EACCES;
                }
                QString expected =
                    notSaved + "\n" + path + "\n" + QString::fromLocal8Bit(std::strerror(reason));
                if (c.olderReport) expected += "\n" + kept;
                w->findChild<QAction*>("Menu_PrintFile")->trigger();
                std::error_code ignored; // the read-only folder, readable again for the checks
                std::filesystem::permissions(dir, std::filesystem::perms(0755), ignored);
                if (boxes.texts() != QStringList{expected}) {
                    std::fprintf(stderr, "%s: %s\n", c.disk, qPrintable(boxes.texts().join(" / ")));
                    ::_exit(23);
                }
                QFile f(path);
                if (c.olderReport != f.open(QIODevice::ReadOnly) || (c.olderReport && f.readAll() != older))
                    ::_exit(24);
                QStringList left = QDir(test::QPath(dir)).entryList(QDir::Files | QDir::Hidden);
                left.removeAll("filler");
                ::_exit(left == (c.olderReport ? QStringList{"report.txt"} : QStringList{}) ? 0 : 25);
            }
            int status = 0;
            ::waitpid(pid, &status, 0);
            QVERIFY2(WIFEXITED(status), c.disk);
            if (WEXITSTATUS(status) == 77) {
                qWarning("%s: not tried, root cannot make a read-only disk here", c.disk);
                continue;
            }
            QVERIFY2(WEXITSTATUS(status) == 0,
                     qPrintable(QString("%1: %2").arg(c.disk).arg(WEXITSTATUS(status))));
        }
    }

    void cancelledExportWritesNothing() {
        w->Menu_PrintFile_Click();
        QVERIFY(QDir(test::QPath(tmp->Path())).entryList(QDir::Files).isEmpty());
        QVERIFY(boxes.texts().isEmpty());
    }

    void printAsksThenPrintsTheReport() {
        const QString pdf = qEnvironmentVariableIsSet("VELTRA_KEEP_PDF") ? QString("/tmp/report.pdf") : Path("report.pdf");
        ui::QtPrinter printer(pdf);
        ui::ScopedPrinter scope(&printer);
        FillSomeData();
        boxes.answer(ui::MsgResult::Cancel);
        w->Menu_Print_Click();
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(boxes.texts()[0], QString("Are you sure to Print Radio Data Info"));

        w->Menu_Print_Click(); // OK
        QVERIFY(QFile::exists(pdf));
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(meta).captured(1).toInt();
        QVERIFY2(pages >= 3, qPrintable(meta)); // some 350 lines of report
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished());
        // The text extractor folds runs of blanks, so compare with blanks folded.
        const QString body = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY(body.contains("CH TXFREQ RXFREQ CHANNEL ID"));
        QVERIFY(body.contains("1 145.0000 145.6000 BASENORTH GATE 0.0 0.0 0 0 No No No No No 250 25"));
        QVERIFY(body.contains("Radio Option---"));
        QVERIFY(body.contains("AREA 1: FIELD AREA 2: 2"));
    }

    void printWithoutAPrinterShowsAMessage() {
        struct NoPrinter : ui::PrinterService {
            ui::PrintFailure printLines(QWidget*, const QStringList&) override { return ui::PrintFailure::NoPrinter; }
        } none;
        ui::ScopedPrinter scope(&none);
        FillSomeData();
        w->Menu_Print_Click();
        QCOMPARE(boxes.texts().last(), QString("No printer is installed."));
        QCOMPARE(data->MFG.TextMatrix(1, 1), std::string("145.0000"));
    }
};

QTEST_MAIN(DataFilesTest)
#include "tst_data_files.moc"
