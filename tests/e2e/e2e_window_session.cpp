// The real editor on a real X display with a window manager, driven from outside as a user
// drives it: a value typed into a cell, the window's close button, Escape on the save question,
// then Ctrl+S through the real file dialog. Nothing typed may be lost on the way. Runs its own
// Xvfb and openbox (so it also runs as root in CI without a display) and skips when they or
// xdotool are not installed. Screenshots of each step go to build/screenshots.
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageFile.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/qt/StopProcess.h"
#include "tests/support/qt/XServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <cstring>
#include <functional>
#include <memory>

using namespace vt;

namespace {
// The build's screenshot folder, or the temporary folder for a user who may not write there.
QString Screens() {
    QString dir = QString(VELTRA_APP_DIR) + "/../screenshots";
    QDir().mkpath(dir);
    return QFileInfo(dir).isWritable() ? dir : QDir::tempPath();
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done()) return true;
        QThread::msleep(100);
    }
    return done();
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};
} // namespace

class WindowSessionTest : public QObject {
    Q_OBJECT
    QString xvfb_, openbox_, xdotool_, xwininfo_, xprop_;
    QString display_;
    QProcess server_, wm_, editor_;
    std::unique_ptr<QTemporaryDir> home_;

    QProcessEnvironment Env() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("QT_QPA_PLATFORMTHEME");
        return env;
    }

    // Runs an X tool on our display; its standard output, or a null string when it failed.
    QString X(const QString& program, const QStringList& args, int ms = 10000) const {
        QProcess p;
        p.setProcessEnvironment(Env());
        p.start(program, args);
        if (!p.waitForFinished(ms)) {
            qWarning() << program << args << "did not end";
            p.kill();
            p.waitForFinished();
            return QString();
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            qWarning() << program << args << "failed:" << p.readAllStandardError();
            return QString();
        }
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        return out.isNull() ? QString("") : out; // empty but not null: it ran
    }
    bool Do(const QStringList& args) const { return !X(xdotool_, args).isNull(); }
    // A left click at a point of the screen.
    bool ClickAt(int x, int y) const {
        if (!Do({"mousemove", QString::number(x), QString::number(y)})) return false;
        QThread::msleep(150);
        return Do({"click", "1"});
    }
    // Raises and focuses the window through the window manager, and waits until it is active.
    bool Activate(const QString& id) const {
        return WaitFor([&] {
            Do({"windowactivate", id});
            return X(xdotool_, {"getactivewindow"}).trimmed() == id;
        }, 10000);
    }

    // The visible window whose title matches, or "" when there is none.
    QString Window(const QString& titlePattern) const {
        return X(xdotool_, {"search", "--onlyvisible", "--name", titlePattern}).section('\n', 0, 0).trimmed();
    }
    QString WaitWindow(const QString& titlePattern, int ms = 15000) const {
        QString id;
        WaitFor([&] { return !(id = Window(titlePattern)).isEmpty(); }, ms);
        return id;
    }
    Geometry ClientGeometry(const QString& id) const {
        const QString info = X(xwininfo_, {"-id", id});
        auto field = [&](const char* name) {
            QRegularExpression re(QString(name) + R"(:\s+(-?\d+))");
            return re.match(info).captured(1).toInt();
        };
        return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height")};
    }
    // Left, right, top and bottom of the frame the window manager puts around the window.
    QList<int> FrameExtents(const QString& id) const {
        const QString out = X(xprop_, {"-id", id, "_NET_FRAME_EXTENTS"});
        QList<int> e;
        for (const QString& n : out.section('=', 1).split(',', Qt::SkipEmptyParts)) e << n.trimmed().toInt();
        return e.size() == 4 ? e : QList<int>{0, 0, 0, 0};
    }
    // The close button at the right end of the window manager's title bar.
    void ClickCloseButton(const QString& id) const {
        const Geometry g = ClientGeometry(id);
        const QList<int> f = FrameExtents(id);
        const int x = g.x + g.width + f[1] - 12, y = g.y - f[2] / 2;
        QVERIFY(ClickAt(x, y));
    }
    void Shoot(const QString& name) const {
        QProcess p;
        p.setProcessEnvironment(Env());
        p.start(QCoreApplication::applicationFilePath(), {"--grab", Screens() + "/window_session_" + name + ".png"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
    }
    static void Stop(QProcess& p) { test::StopProcess(p); }

private slots:
    void initTestCase() {
        xvfb_ = QStandardPaths::findExecutable("Xvfb");
        openbox_ = QStandardPaths::findExecutable("openbox");
        xdotool_ = QStandardPaths::findExecutable("xdotool");
        xwininfo_ = QStandardPaths::findExecutable("xwininfo");
        xprop_ = QStandardPaths::findExecutable("xprop");
        if (xvfb_.isEmpty() || openbox_.isEmpty() || xdotool_.isEmpty() || xwininfo_.isEmpty() || xprop_.isEmpty())
            QSKIP("Xvfb, openbox, xdotool, xwininfo or xprop is not installed (scripts/setup.sh installs them)");
        if (!QFile::exists(QString(VELTRA_APP_DIR) + "/Veltra")) QSKIP("the editor has not been built");
        display_ = test::StartXvfb(server_, "1280x1024x24");
        QVERIFY2(!display_.isEmpty(), "Xvfb did not come up");
        wm_.setProcessEnvironment(Env());
        wm_.start(openbox_, {});
        QVERIFY(wm_.waitForStarted());
        QVERIFY2(WaitFor([&] { return X(xprop_, {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); }, 15000),
                 "openbox did not take the display");

        // A program folder of its own: the build's language files and tables, an empty Data.
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        for (const char* sub : {"Language", "resource"})
            QVERIFY(QFile::link(QString(VELTRA_APP_DIR) + "/" + sub, home_->filePath(sub)));
        QVERIFY(QDir(home_->path()).mkdir("Data"));
    }

    void cleanupTestCase() {
        Stop(editor_);
        Stop(wm_);
        Stop(server_);
    }

    void typedValueSurvivesEscapeOnTheCloseQuestion() {
        QProcessEnvironment env = Env();
        env.insert("VELTRA_HOME", home_->path());
        editor_.setProcessEnvironment(env);
        editor_.start(QString(VELTRA_APP_DIR) + "/Veltra", {});
        QVERIFY(editor_.waitForStarted());
        // After the splash the main window comes up.
        const QString main = WaitWindow("^Data Editor  --");
        QVERIFY2(!main.isEmpty(), "the main window did not appear");
        QVERIFY(Activate(main));
        const Geometry g = ClientGeometry(main);
        QVERIFY(g.width > 0 && g.height > 0);

        // Where channel 1's Rx cell lies: the same window laid out here at the same size.
        qputenv("VELTRA_HOME", home_->path().toUtf8());
        EditorData layoutData;
        Frm_Radio layout(layoutData);
        layout.resize(g.width, g.height);
        layout.show();
        QCoreApplication::processEvents();
        const QPoint cell = layout.MFGCellRect(1, 2).center();
        const QPoint cell2 = layout.MFGCellRect(2, 2).center();
        layout.hide();

        QVERIFY(ClickAt(g.x + cell.x(), g.y + cell.y()));
        QVERIFY(Do({"type", "--delay", "60", "55.5"}));
        QThread::msleep(300);
        Shoot("1_value_typed");

        // The window's close button asks the save question; Escape answers it.
        ClickCloseButton(main);
        const QString question = WaitWindow("^Data Editor$");
        QVERIFY2(!question.isEmpty(), "closing asked no question");
        Shoot("2_close_question");
        QVERIFY(Activate(question));
        QVERIFY(Do({"key", "Escape"}));
        QVERIFY(WaitFor([&] { return Window("^Data Editor$").isEmpty(); }, 10000));
        QThread::msleep(500);
        QCOMPARE(editor_.state(), QProcess::Running);
        QCOMPARE(Window("^Data Editor  --"), main);
        Shoot("3_after_escape");

        // The question's own close button cancels too.
        ClickCloseButton(main);
        const QString again = WaitWindow("^Data Editor$");
        QVERIFY(!again.isEmpty());
        ClickCloseButton(again);
        QVERIFY(WaitFor([&] { return Window("^Data Editor$").isEmpty(); }, 10000));
        QThread::msleep(500);
        QCOMPARE(editor_.state(), QProcess::Running);

        // Ctrl+S through the real Save As dialog, with channel 2's box still open on what was typed.
        const QString file = home_->filePath("Data/session.dat");
        QVERIFY(Activate(main));
        QVERIFY(ClickAt(g.x + cell2.x(), g.y + cell2.y()));
        QVERIFY(Do({"type", "--delay", "60", "56.25"}));
        QThread::msleep(300);
        QVERIFY(Do({"key", "ctrl+s"}));
        const QString dialog = WaitWindow("Save");
        QVERIFY2(!dialog.isEmpty(), "Ctrl+S opened no Save As dialog");
        QVERIFY(Activate(dialog));
        QThread::msleep(300);
        QVERIFY(Do({"key", "ctrl+a"}));
        QVERIFY(Do({"type", "--delay", "20", file}));
        Shoot("4_save_as");
        QVERIFY(Do({"key", "Return"}));
        QVERIFY2(WaitFor([&] { return QFile::exists(file); }, 15000), "no data file was written");
        QVERIFY(WaitFor([&] { return X(xdotool_, {"getwindowname", main}).contains("session.dat"); }, 10000));
        Shoot("5_saved");

        ImageArray image{};
        QVERIFY(ReadImageFile(file.toStdString(), image));
        EditorData back;
        BuildGrid(back);
        back.MemImage = image;
        DecodeImage(back.MemImage, LoadCodecTables(back.Tables, back.VolTables, TablesFor::Decode), ImageSource::File,
                    back);
        QCOMPARE(back.MFG.TextMatrix(1, 2), std::string("55.5000"));
        QCOMPARE(back.MFG.TextMatrix(2, 2), std::string("56.2500"));

        // Saved: the close button now ends the editor without a question.
        ClickCloseButton(main);
        QVERIFY2(editor_.waitForFinished(15000), "the editor did not end");
        QCOMPARE(editor_.exitCode(), 0);
    }
};

// "--grab file": a picture of the whole X screen (run by the test on its display).
int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--grab") == 0) {
        QGuiApplication app(argc, argv);
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen && screen->grabWindow(0).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    QApplication app(argc, argv);
    WindowSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "e2e_window_session.moc"
