#include "common/ui/ProcessStarter.h"

#include <QProcess>

namespace vt::ui {

bool QtProcessStarter::start(const QString& program, const QStringList& args, QObject* context,
                             std::function<void()> onFinished) {
    // Not a child of the caller: a window that goes away while the tool runs must neither kill
    // the tool nor hear of its end half-destroyed.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, args);
    if (!process->waitForStarted(5000)) {
        delete process;
        return false;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    // Dropped by Qt once context is gone.
    QObject::connect(process, &QProcess::finished, context, [onFinished] {
        if (onFinished) onFinished();
    });
    return true;
}

namespace {
QtProcessStarter& QtStarter() {
    static QtProcessStarter s;
    return s;
}
ProcessStarter* gStarter = nullptr;
} // namespace

ProcessStarter& processStarter() { return gStarter ? *gStarter : QtStarter(); }
void setProcessStarter(ProcessStarter* starter) { gStarter = starter; }

} // namespace vt::ui
