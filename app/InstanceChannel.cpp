#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QThread>
#include <QtEndian>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace InstanceChannel {

namespace {

constexpr char kMagic[8] = {'Q', '3', '2', 'O', 'P', 'E', 'N', '1'};

using Clock = std::chrono::steady_clock;

// A display may be named by its socket's full path (WAYLAND_DISPLAY=/run/.../wayland-1); in
// the socket's own name that could pass the 107 bytes a local socket's path may have.
constexpr qsizetype kMaxDisplayChars = 32;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

} // namespace

QString InstanceName() {
    // One instance per desktop session: a user logged in on two displays (or a test on its
    // own virtual X server) has one on each.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.size() > kMaxDisplayChars)
        display = QString::fromLatin1(
            QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha256)
                .toHex()
                .left(16));
    QString name = QStringLiteral("qelt32");
    if (!display.isEmpty())
        name += QLatin1Char('-') + display;
    for (QChar& c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return name;
}

QString SocketPath(const QString& folder) {
    return folder + QLatin1Char('/') + InstanceName() + QStringLiteral(".socket");
}

QString LockPath(const QString& folder) {
    return folder + QLatin1Char('/') + InstanceName() + QStringLiteral(".lock");
}

QByteArray EncodeRequest(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    QByteArray request(kMagic, sizeof kMagic);
    char length[4];
    qToBigEndian(quint32(utf8.size()), length);
    request.append(length, 4);
    return request + utf8;
}

Parse DecodeRequest(const QByteArray& bytes, QString& path) {
    const qsizetype magicSeen = std::min<qsizetype>(bytes.size(), sizeof kMagic);
    if (std::memcmp(bytes.constData(), kMagic, size_t(magicSeen)) != 0)
        return Parse::Malformed;
    if (bytes.size() < kHeaderBytes)
        return Parse::NeedMore;
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + sizeof kMagic);
    if (length > kMaxPathBytes)
        return Parse::Malformed;
    const qsizetype total = kHeaderBytes + qsizetype(length);
    if (bytes.size() < total)
        return Parse::NeedMore;
    if (bytes.size() > total)
        return Parse::Malformed;
    const QByteArray utf8 = bytes.mid(kHeaderBytes);
    if (utf8.contains('\0'))
        return Parse::Malformed;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(utf8);
    if (decoder.hasError())
        return Parse::Malformed;
    path = text;
    return Parse::Complete;
}

std::optional<uid_t> PeerUid(qintptr socketDescriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return std::nullopt;
    return credentials.uid;
}

bool IsOwnSocket(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::geteuid();
}

HandOverResult HandOver(const QString& folder, const QString& path,
                        std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const QString socketPath = SocketPath(folder);
    QLocalSocket socket;
    // The first instance takes its lock a moment before it listens: try until the deadline.
    for (;;) {
        if (IsOwnSocket(socketPath)) {
            socket.connectToServer(socketPath);
            if (socket.waitForConnected(MsLeft(deadline)))
                break;
            socket.abort();
        }
        if (MsLeft(deadline) == 0)
            return HandOverResult::NoAnswer;
        QThread::msleep(50);
    }
    if (PeerUid(socket.socketDescriptor()) != ::geteuid())
        return HandOverResult::NoAnswer;

    socket.write(EncodeRequest(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath()));
    if (!socket.waitForBytesWritten(MsLeft(deadline)))
        return HandOverResult::NoAnswer;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < 16) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(MsLeft(deadline)))
            break;
        answer += socket.readAll();
    }
    if (answer == kAccepted)
        return HandOverResult::Accepted;
    if (answer == kRefused)
        return HandOverResult::Refused;
    return HandOverResult::NoAnswer;
}

} // namespace InstanceChannel
