#pragma once
// Starting another program (the editor starts the transfer tool) goes through this service, so
// that tests can make a start fail or watch what was started. The program gets its arguments as
// arguments (no shell), and the caller hears when it ends.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace vt::ui {

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts program without waiting for it. onFinished runs on the caller's thread when the
    // program has ended (not when the start failed); it is dropped once context begins to go
    // away. False when the program could not be started.
    virtual bool start(const QString& program, const QStringList& args, QObject* context,
                       std::function<void()> onFinished) = 0;
};

// The real one (QProcess).
class QtProcessStarter : public ProcessStarter {
public:
    bool start(const QString& program, const QStringList& args, QObject* context,
               std::function<void()> onFinished) override;
};

// The service in use (the Qt one unless a test installs another); the caller keeps ownership.
ProcessStarter& processStarter();
void setProcessStarter(ProcessStarter* starter);

class ScopedProcessStarter {
public:
    explicit ScopedProcessStarter(ProcessStarter* s) : previous_(&processStarter()) { setProcessStarter(s); }
    ~ScopedProcessStarter() { setProcessStarter(previous_); }
    ScopedProcessStarter(const ScopedProcessStarter&) = delete;
    ScopedProcessStarter& operator=(const ScopedProcessStarter&) = delete;

private:
    ProcessStarter* previous_;
};

} // namespace vt::ui
