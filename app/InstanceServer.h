#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// The listening side of the instance channel (app/InstanceChannel.h). The first start of
// the program in a user's session takes the folder's lock and listens; the lock ends with
// the process, however it ends, so a socket left behind by a crashed instance is taken
// over by the next start. Requests from other users, malformed, oversized or slow ones are
// dropped without an answer; a path that is not an existing plain file is refused.
class CInstanceServer : public QObject {
    Q_OBJECT
public:
    enum class StartResult { Listening, AlreadyRunning, Unavailable };

    explicit CInstanceServer(QObject* parent = nullptr);
    ~CInstanceServer() override;

    // `folder` must be private to this user (RuntimeFolder()). Unavailable, with the
    // reason, when the lock or the socket cannot be made.
    StartResult Start(const QString& folder, QString* why);

    static constexpr int kMaxConnections = 8;
    static constexpr int kRequestTimeoutMs = 2000;

signals:
    // A second start handed over this file (absolute path), or an empty path when it only
    // asked for the window. Emitted from the event loop, never inside a socket's handler.
    void openRequested(const QString& path);

private:
    void OnNewConnection();
    void OnReadyRead(class QLocalSocket* socket);

    QLocalServer m_server;
    int m_lockFd = -1;
    int m_connections = 0;
};
