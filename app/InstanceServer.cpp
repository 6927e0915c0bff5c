#include "app/InstanceServer.h"

#include "app/InstanceChannel.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace InstanceChannel;

namespace {

void Drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}

} // namespace

CInstanceServer::CInstanceServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
}

CInstanceServer::~CInstanceServer() {
    m_server.close(); // removes the socket file
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

CInstanceServer::StartResult CInstanceServer::Start(const QString& folder, QString* why) {
    const QByteArray lockName = QFile::encodeName(LockPath(folder));
    // Close-on-exec: a program we start (the screen-saver settings) must not keep the lock.
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *why = QStringLiteral("%1: %2").arg(LockPath(folder),
                                            QString::fromLocal8Bit(std::strerror(errno)));
        return StartResult::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return StartResult::AlreadyRunning;
        *why = QStringLiteral("%1: %2").arg(LockPath(folder),
                                            QString::fromLocal8Bit(std::strerror(error)));
        return StartResult::Unavailable;
    }
    m_lockFd = fd;

    // Whoever held the lock before us is gone; a socket it left behind is ours to replace.
    const QString socketPath = SocketPath(folder);
    if (IsOwnSocket(socketPath))
        QLocalServer::removeServer(socketPath);
    // Bound in place, so that anything else at that path makes the listen fail instead of
    // being replaced; the folder keeps other users out, the mode says so once more.
    const bool listening = m_server.listen(socketPath);
    if (!listening || ::chmod(QFile::encodeName(socketPath).constData(), 0600) != 0) {
        *why = QStringLiteral("%1: %2").arg(socketPath,
                                            listening ? QString::fromLocal8Bit(std::strerror(errno))
                                                      : m_server.errorString());
        m_server.close();
        ::close(m_lockFd);
        m_lockFd = -1;
        return StartResult::Unavailable;
    }
    return StartResult::Listening;
}

void CInstanceServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (m_connections >= kMaxConnections ||
            PeerUid(socket->socketDescriptor()) != ::geteuid()) {
            Drop(socket);
            continue;
        }
        ++m_connections;
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        // A request that does not arrive in time is dropped, so nobody holds a slot for long.
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { Drop(socket); });
        // One byte more than a request may have, so an oversized one shows as such.
        socket->setReadBufferSize(kMaxRequestBytes + 1);
        OnReadyRead(socket);
    }
}

void CInstanceServer::OnReadyRead(QLocalSocket* socket) {
    QString path;
    switch (DecodeRequest(socket->peek(kMaxRequestBytes + 1), path)) {
    case Parse::NeedMore:
        return;
    case Parse::Malformed:
        Drop(socket);
        return;
    case Parse::Complete:
        break;
    }
    socket->readAll(); // one request per connection: anything after it is malformed
    const QFileInfo file(path);
    const bool acceptable = path.isEmpty() || (file.isAbsolute() && file.isFile());
    socket->write(acceptable ? kAccepted : kRefused);
    socket->disconnectFromServer();
    // Opening the file may show a box with its own event loop, in which this socket
    // disconnects and is deleted: the request is delivered once this handler has returned.
    if (acceptable)
        QMetaObject::invokeMethod(
            this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
}
