#include "cli/StandardStreams.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace StandardStreams {

namespace {

QString SystemError(const char* what, int error) {
    return QStringLiteral("cannot %1: %2")
        .arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(error)));
}

// While it lives, a write to a pipe nobody reads fails with EPIPE instead of ending the
// program, and the signal it raised is taken back.
class CPipeSignalHeld {
public:
    CPipeSignalHeld() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &m_before);
    }
    ~CPipeSignalHeld() {
        sigset_t pending;
        sigpending(&pending);
        if (sigismember(&pending, SIGPIPE) && !sigismember(&m_before, SIGPIPE)) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec now{0, 0};
            sigtimedwait(&pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }

private:
    sigset_t m_before;
};

} // namespace

bool ReadInput(qsizetype maxBytes, QByteArray& bytes, QString* error) {
    bytes.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = SystemError("read standard input", errno);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
        if (bytes.size() > maxBytes) {
            *error = QStringLiteral("standard input holds more than %1 bytes: no settings file")
                         .arg(maxBytes);
            return false;
        }
    }
    if (bytes.isEmpty()) {
        *error = QStringLiteral("standard input is empty: no settings file");
        return false;
    }
    return true;
}

bool WriteOutput(const QByteArray& bytes, QString* error) {
    const CPipeSignalHeld held;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(STDOUT_FILENO, bytes.constData() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            *error = SystemError("write to standard output", wrote < 0 ? errno : EIO);
            return false;
        }
        done += wrote;
    }
    return true;
}

bool OutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

} // namespace StandardStreams
