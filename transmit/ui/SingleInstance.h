#pragma once
// One transfer tool per program folder: the first copy holds a lock file there and listens on a
// local socket; a later copy finds the lock taken, asks the running copy to come forward and ends.
#include <QObject>
#include <filesystem>

class QLocalServer;

namespace vt {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const std::filesystem::path& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this copy is the only one (it keeps the lock until it ends).
    bool Acquire();
    // Asks the running copy to come forward; true when it answered.
    bool NotifyRunning();

    QString SocketName() const { return socket_; }

signals:
    void bringForwardRequested();

private:
    std::filesystem::path lockPath_;
    QString socket_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

} // namespace vt
