#include "common/ui/ProcessStarter.h"

#include <QProcess>

namespace vt::ui {

bool QtProcessStarter::start(const QString& program, const QStringList& args, QObject* context,
                             std::function<void()> onFinished) {
    auto* process = new QProcess(context);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, args);
    if (!process->waitForStarted(5000)) {
        delete process;
        return false;
    }
    QObject::connect(process, &QProcess::finished, context, [process, onFinished] {
        process->deleteLater();
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
