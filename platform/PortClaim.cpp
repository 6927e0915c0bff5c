#include "platform/PortClaim.h"

#include "platform/SerialDiagnostics.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const QString kInUse = QStringLiteral("in use by another program");

QString InUse(const QString& users) {
    return users.isEmpty() ? kInUse : QStringLiteral("%1: %2").arg(kInUse, users);
}

QString LockOwnerText(const CUucpLock::Owner& owner) {
    return QStringLiteral("%1 (pid %2, lock file %3)")
        .arg(owner.program.isEmpty() ? QStringLiteral("a process") : owner.program)
        .arg(owner.pid)
        .arg(owner.file);
}

} // namespace

bool CPortClaim::SaysInUse(const QString& reason) {
    return reason.contains(kInUse);
}

QString CPortClaim::BusyReason(const QString& path) {
    const QString users = SerialDiagnostics::UsersText(SerialDiagnostics::Holders(path));
    if (!users.isEmpty())
        return InUse(users);
    if (const auto owner = CUucpLock::LiveOwner(path))
        return InUse(LockOwnerText(*owner));
    return InUse(QString());
}

QString CPortClaim::Claim(int fd, const QString& path) {
    Release();
    if (SerialDiagnostics::IsOwnTerminal(fd))
        return QStringLiteral("is the terminal this program runs in, not a port");
    // Programs that cooperate take the flock; others are found by what they hold open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return BusyReason(path);
    const std::vector<SerialDiagnostics::Holder> holders = SerialDiagnostics::Holders(path);
    if (const QString users = SerialDiagnostics::UsersText(holders); !users.isEmpty())
        return InUse(users);
    if (const auto owner = CUucpLock::LiveOwner(path))
        return InUse(LockOwnerText(*owner));
    if (::tcgetattr(fd, &m_found) != 0)
        return QStringLiteral("not a serial device: %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::ioctl(fd, TIOCEXCL) != 0)
        return QStringLiteral("cannot be opened exclusively: %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    m_fd = fd;
    if (const auto owner = m_lock.Acquire(path)) { // taken in the meantime
        Release();
        return InUse(LockOwnerText(*owner));
    }
    m_guard.Start(fd, m_found, m_lock.File());
    return QString();
}

void CPortClaim::Release() {
    if (m_fd < 0)
        return;
    ::tcsetattr(m_fd, TCSANOW, &m_found);
    // The exclusive flag belongs to the device, not to the descriptor: give it back.
    ::ioctl(m_fd, TIOCNXCL);
    m_guard.Stop();
    m_lock.Release();
    m_fd = -1;
}
