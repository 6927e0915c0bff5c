#include "platform/PosixSerialPort.h"

#include "platform/PortInterrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// A write that the line cannot take (flow control holding it) gives up after this long.
constexpr auto kWriteTimeout = std::chrono::milliseconds(5000);
const QString kInterrupted = QStringLiteral("interrupted");

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

CPosixSerialPort::~CPosixSerialPort() {
    Close();
}

bool CPosixSerialPort::Open(const QString& path) {
    Close();
    m_lastError.clear();
    m_failure.clear();
    m_bFailed = false;
    m_line = SerialLine();
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        // A terminal another program holds exclusively refuses us with EBUSY.
        m_lastError = errno == EBUSY
                          ? QStringLiteral("%1: %2").arg(path, CPortClaim::BusyReason(path))
                          : QStringLiteral("%1: %2").arg(path, SystemError());
        return false;
    }
    if (!isatty(m_fd)) {
        Fail(QStringLiteral("%1: not a serial device").arg(path));
        return false;
    }
    // Nothing of the device is changed before it is known to be ours to use.
    if (const QString refused = m_claim.Claim(m_fd, path); !refused.isEmpty()) {
        Fail(QStringLiteral("%1: %2").arg(path, refused));
        return false;
    }
    if (const QString problem = ApplyLineSettings(); !problem.isEmpty()) {
        m_claim.Release();
        Fail(QStringLiteral("%1: line settings refused: %2").arg(path, problem));
        return false;
    }
    // A stop of the whole program (platform/PortInterrupt.h) ends every wait at once.
    m_wait = std::make_unique<CPortWait>(m_fd, PortInterrupt::Descriptor());
    return true;
}

QString CPosixSerialPort::ApplyLineSettings() {
    m_line = SerialLine();
    termios tio{};
    if (tcgetattr(m_fd, &tio) != 0)
        return SystemError();
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CREAD | CLOCAL | CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    QString problem;
    // Some devices (pseudo-terminals among them) have no hardware handshake: they refuse
    // it or silently drop it. The line is then used without.
    for (const bool rtsCts : {true, false}) {
        tio.c_cflag = rtsCts ? tio.c_cflag | CRTSCTS : tio.c_cflag & ~CRTSCTS;
        termios held{};
        if (tcsetattr(m_fd, TCSANOW, &tio) != 0 || tcgetattr(m_fd, &held) != 0) {
            problem = SystemError();
            continue;
        }
        m_line = SerialLine::From(held);
        problem = m_line.Problems();
        if (problem.isEmpty() && (m_line.rtsCts || !rtsCts))
            return QString();
        if (problem.isEmpty())
            problem = QStringLiteral("the hardware handshake was not taken");
    }
    return problem;
}

void CPosixSerialPort::Fail(const QString& what) {
    m_lastError = what;
    ::close(m_fd);
    m_fd = -1;
}

void CPosixSerialPort::Close() {
    if (m_fd < 0)
        return;
    m_wait.reset();
    // Drop DTR, then RTS; a pseudo-terminal has no modem lines and refuses both.
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    ioctl(m_fd, TIOCMBIC, &dtr);
    ioctl(m_fd, TIOCMBIC, &rts);
    // The line settings as we found them, and the device free for the next program.
    m_claim.Release();
    ::close(m_fd);
    m_fd = -1;
}

void CPosixSerialPort::Purge() {
    if (m_fd < 0)
        return;
    tcflush(m_fd, TCOFLUSH);
    tcflush(m_fd, TCIFLUSH);
}

int CPosixSerialPort::QueuedInput() const {
    int count = 0;
    if (m_fd < 0 || m_bFailed || ioctl(m_fd, FIONREAD, &count) != 0)
        return -1;
    return count;
}

int CPosixSerialPort::QueuedOutput() const {
    int count = 0;
    if (m_fd < 0 || m_bFailed || ioctl(m_fd, TIOCOUTQ, &count) != 0)
        return -1;
    return count;
}

bool CPosixSerialPort::WaitQueued(std::size_t count, Clock::time_point deadline) {
    if (m_fd < 0)
        return false;
    const auto result = m_wait->WaitForCount([this] { return QueuedInput(); }, count, deadline);
    if (result == CPortWait::Result::Failed && m_failure.isEmpty())
        MarkFailed(QStringLiteral("the device hung up"));
    if (result == CPortWait::Result::Stopped)
        m_lastError = kInterrupted;
    return result == CPortWait::Result::Ready;
}

bool CPosixSerialPort::ReadExact(std::uint8_t* data, std::size_t count) {
    std::size_t done = 0;
    while (m_fd >= 0 && done < count) {
        const ssize_t n = ReadSome(m_fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            m_lastError = QStringLiteral("fewer bytes arrived than were queued");
            return false;
        } else {
            // Only a hang-up reads nothing from bytes the driver said were queued; an error
            // (EIO from an adapter going bad) repeats for ever. Either way the link is over,
            // and retrying would only spin.
            MarkFailed(n == 0 ? QStringLiteral("the device hung up")
                              : QStringLiteral("reading failed: %1").arg(SystemError()));
            return false;
        }
    }
    return done == count;
}

bool CPosixSerialPort::WaitOutputDrained(Clock::time_point deadline) {
    if (m_fd < 0)
        return false;
    for (;;) {
        const int queued = QueuedOutput();
        if (queued < 0) {
            if (!m_bFailed)
                MarkFailed(QStringLiteral("the device is gone: %1").arg(SystemError()));
            return false;
        }
        if (queued == 0)
            return true;
        const auto now = Clock::now();
        if (now >= deadline) {
            m_lastError = QStringLiteral("what was written before was never sent");
            return false;
        }
        // The queue empties at the line rate; look again once it should have.
        const Clock::duration nap =
            std::min<Clock::duration>(CPortWait::kByteTime * queued, deadline - now);
        const CPortWait::Result slept = m_wait->Sleep(nap);
        if (slept == CPortWait::Result::Stopped) {
            m_lastError = kInterrupted;
            return false;
        }
        if (slept == CPortWait::Result::Failed) {
            MarkFailed(QStringLiteral("the device hung up"));
            return false;
        }
    }
}

bool CPosixSerialPort::WriteAll(const std::uint8_t* data, std::size_t count) {
    const auto deadline = Clock::now() + kWriteTimeout;
    if (PortInterrupt::Requested()) {
        m_lastError = kInterrupted;
        return false;
    }
    std::size_t done = 0;
    while (m_fd >= 0 && done < count) {
        const ssize_t n = ::write(m_fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            MarkFailed(QStringLiteral("writing failed: %1").arg(SystemError()));
            return false;
        }
        // The kernel's queue is full (the far end holds CTS low): wait for room.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd pfd{m_fd, POLLOUT, 0};
        if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0 ||
            (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            m_lastError = QStringLiteral("write timed out");
            return false;
        }
    }
    return done == count;
}

void CPosixSerialPort::ClearError() {
    // The kernel keeps no error latch that would hold up further transfers (unlike the
    // original platform's comm error state); only our record of the failure is reset. A
    // dead device stays dead.
    m_lastError = m_failure;
}

void CPosixSerialPort::MarkFailed(const QString& why) {
    m_failure = why;
    m_lastError = why;
    m_bFailed = true;
}

ssize_t CPosixSerialPort::ReadSome(int fd, std::uint8_t* data, std::size_t count) {
    return ::read(fd, data, count);
}
