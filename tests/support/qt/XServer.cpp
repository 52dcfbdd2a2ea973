#include "tests/support/qt/XServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>

namespace vt::test {

QString StartXvfb(QProcess& server, const QString& screen, int ms) {
    const int own = qEnvironmentVariableIntValue("VELTRA_TEST_DISPLAY");
    const QStringList where = own ? QStringList{QString(":%1").arg(own)} : QStringList{"-displayfd", "1"};
    server.start("Xvfb", where + QStringList{"-screen", "0", screen, "-nolisten", "tcp"});
    if (!server.waitForStarted(ms)) return {};
    QDeadlineTimer deadline(ms);
    if (own) {
        while (!QFile::exists("/tmp/.X11-unix/X" + QString::number(own))) {
            if (deadline.hasExpired() || server.state() != QProcess::Running) return {};
            QThread::msleep(50);
        }
        return where.front();
    }
    while (!server.canReadLine()) {
        if (deadline.hasExpired() || server.state() != QProcess::Running) return {};
        server.waitForReadyRead(100);
    }
    return ":" + QString::fromLatin1(server.readLine()).trimmed();
}

} // namespace vt::test
