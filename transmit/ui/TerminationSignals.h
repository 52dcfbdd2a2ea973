#pragma once
// SIGTERM, SIGINT and SIGHUP end the tool like its close box, so that a tool killed politely
// still leaves a final status for the editor.
#include <QObject>

class QSocketNotifier;

namespace vt {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signal);

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vt
