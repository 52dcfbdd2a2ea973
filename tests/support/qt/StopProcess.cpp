#include "tests/support/qt/StopProcess.h"

#include <QProcess>

namespace vt::test {

void StopProcess(QProcess& p, int ms) {
    if (p.state() == QProcess::NotRunning) return;
    p.terminate();
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(ms);
    }
}

} // namespace vt::test
