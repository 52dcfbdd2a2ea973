#include "transmit/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vt {

namespace {
constexpr char kRequest[] = "forward\n";

// A socket path must fit in sun_path; a deep program folder gets a named socket in the
// temporary folder instead, derived from the folder so that each install has its own.
QString SocketFor(const std::filesystem::path& folder) {
    QString inFolder = QString::fromStdString((folder / ".transmit.sock").string());
    if (inFolder.toUtf8().size() < 100) return inFolder;
    QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(folder.string()), QCryptographicHash::Sha1);
    return QDir::temp().filePath("veltra-transmit-" + QString::fromLatin1(hash.toHex().left(16)) + ".sock");
}
} // namespace

SingleInstance::SingleInstance(const std::filesystem::path& programFolder, QObject* parent)
    : QObject(parent), lockPath_(programFolder / ".transmit.lock"), socket_(SocketFor(programFolder)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
    if (lockFd_ >= 0) ::close(lockFd_); // releases the lock
}

bool SingleInstance::Acquire() {
    lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd_ < 0) return true; // a read-only folder: nothing to coordinate with
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    // Holding the lock, a socket file left by a copy that crashed is ours to replace.
    QLocalServer::removeServer(socket_);
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("forward")) emit bringForwardRequested();
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    server_->listen(socket_);
    return true;
}

bool SingleInstance::NotifyRunning() {
    QLocalSocket peer;
    peer.connectToServer(socket_);
    if (!peer.waitForConnected(1000)) return false;
    peer.write(kRequest);
    bool ok = peer.waitForBytesWritten(1000);
    peer.waitForDisconnected(500);
    return ok;
}

} // namespace vt
