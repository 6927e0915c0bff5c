#include "platform/PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// A write that the line cannot take (flow control holding it) gives up after this long.
constexpr auto kWriteTimeout = std::chrono::milliseconds(5000);

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
        m_lastError = errno == EBUSY ? QStringLiteral("%1: in use by another program").arg(path)
                                     : QStringLiteral("%1: %2").arg(path, SystemError());
        return false;
    }
    if (!isatty(m_fd)) {
        Fail(QStringLiteral("%1: not a serial device").arg(path));
        return false;
    }
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        Fail(QStringLiteral("%1: in use by another program").arg(path));
        return false;
    }
    if (ioctl(m_fd, TIOCEXCL) != 0) {
        Fail(QStringLiteral("%1: cannot be opened exclusively: %2").arg(path, SystemError()));
        return false;
    }
    if (const QString problem = ApplyLineSettings(); !problem.isEmpty()) {
        // The exclusive flag outlives this descriptor while another holds the device open
        // (a pseudo-terminal's far end): give it back, or the next probe finds it busy.
        ioctl(m_fd, TIOCNXCL);
        Fail(QStringLiteral("%1: line settings refused: %2").arg(path, problem));
        return false;
    }
    m_wait = std::make_unique<CPortWait>(m_fd);
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
    // The exclusive flag belongs to the device, not to this descriptor: give it back.
    ioctl(m_fd, TIOCNXCL);
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
        if (now >= deadline)
            return false;
        // The queue empties at the line rate; look again once it should have.
        const Clock::duration nap =
            std::min<Clock::duration>(CPortWait::kByteTime * queued, deadline - now);
        if (m_wait->Sleep(nap) == CPortWait::Result::Failed) {
            MarkFailed(QStringLiteral("the device hung up"));
            return false;
        }
    }
}

bool CPosixSerialPort::WriteAll(const std::uint8_t* data, std::size_t count) {
    const auto deadline = Clock::now() + kWriteTimeout;
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
