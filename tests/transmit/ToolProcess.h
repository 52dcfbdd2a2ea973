#pragma once
// The real transmit program in a process of its own, pressed through its test hook
// (VELTRA_TRANSMIT_AUTOSTART=1: it clicks START once and answers every box with OK, printing the
// box's text on stderr). Optionally run as the unprivileged user nobody.
#include "tests/transmit/helpers/ToolFolder.h"

#include <QProcess>
#include <QtTest>
#include <csignal>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::test {

inline QString ToolProgram() { return QString(VELTRA_APP_DIR) + "/transmit"; }

// setpriv or runuser, or empty when neither is there.
inline QString UserSwitcher() {
    for (const char* p : {"/usr/bin/setpriv", "/bin/setpriv", "/usr/sbin/runuser", "/sbin/runuser"})
        if (::access(p, X_OK) == 0) return p;
    return {};
}

// Lets nobody use a program folder: the folder and the files the tool reads and writes.
inline void OpenFolderToEveryone(const ToolFolder& folder) {
    ::chmod(folder.Path().c_str(), 0777);
    for (const char* f : {"Msg.sys", "wbuffer.bin", "rbuffer.bin"})
        if (std::filesystem::exists(folder.File(f))) ::chmod(folder.File(f).c_str(), 0666);
}

struct ToolProcess {
    QProcess process;
    QByteArray err;

    // Starts transmit with args in folder; as nobody when asked and this process is root.
    void Start(const ToolFolder& folder, const QStringList& args, bool autostart = true, bool asNobody = false) {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("VELTRA_HOME", QString::fromStdString(folder.Path().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (autostart) env.insert("VELTRA_TRANSMIT_AUTOSTART", "1");
        else env.remove("VELTRA_TRANSMIT_AUTOSTART");
        process.setProcessEnvironment(env);
        QString program = ToolProgram();
        QStringList all = args;
        if (asNobody && ::geteuid() == 0) {
            QString sw = UserSwitcher();
            passwd* nobody = ::getpwnam("nobody");
            QVERIFY2(!sw.isEmpty() && nobody, "no way to become nobody");
            if (sw.endsWith("setpriv"))
                all = QStringList{QString("--reuid=%1").arg(nobody->pw_uid), QString("--regid=%1").arg(nobody->pw_gid),
                                  "--clear-groups", "--", program} + args;
            else
                all = QStringList{"-u", "nobody", "--", program} + args;
            program = sw;
        }
        process.start(program, all);
        QVERIFY(process.waitForStarted(5000));
    }
    // The box texts printed so far, in order.
    QStringList Boxes() {
        err += process.readAllStandardError();
        QStringList boxes;
        for (const QByteArray& line : err.split('\n'))
            if (line.startsWith("transmit box: ")) boxes << QString::fromUtf8(line.mid(14)).replace("\\n", "\n");
        return boxes;
    }
    // Waits for a box whose first line is firstLine.
    bool WaitForBox(const QString& firstLine, int ms) {
        return QTest::qWaitFor(
            [&] {
                for (const QString& box : Boxes())
                    if (box.section('\n', 0, 0) == firstLine) return true;
                return false;
            },
            ms);
    }
    // Waits for the program to end; false when it did not end in time (it is then killed).
    bool Finish(int ms) {
        bool ended = process.waitForFinished(ms);
        if (!ended) {
            process.kill();
            process.waitForFinished(5000);
        }
        Boxes();
        return ended;
    }
    void Terminate() {
        if (process.state() != QProcess::NotRunning) ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    }
};

} // namespace vt::test
