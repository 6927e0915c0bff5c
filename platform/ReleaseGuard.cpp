#include "platform/ReleaseGuard.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Everything below runs in the child of a process that may have other threads: only
// async-signal-safe calls, no allocation, no locks.

// The pid a lock file holds as text; 0 when it holds none.
pid_t LockFilePid(const char* file) {
    const int fd = ::open(file, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return 0;
    char text[32];
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    pid_t pid = 0;
    for (ssize_t i = 0; i < n; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            pid = pid * 10 + (text[i] - '0');
        else if (text[i] != ' ' || pid != 0)
            break;
    }
    return pid;
}

[[noreturn]] void Guard(int deviceFd, int pipeFd, const termios& found, const char* lockFile,
                        pid_t parent) {
    ::prctl(PR_SET_NAME, CReleaseGuard::kProgramName);
    // Out of the parent's process group, so that a signal to the group (Ctrl+C, the
    // terminal's hang-up) leaves the guard to do its work.
    ::setpgid(0, 0);
    // Only the device and the pipe stay open: no socket, lock or pipe of the parent's is
    // kept alive by the guard.
    const unsigned low = unsigned(std::min(deviceFd, pipeFd));
    const unsigned high = unsigned(std::max(deviceFd, pipeFd));
    if (low > 0)
        ::close_range(0, low - 1, 0);
    if (high > low + 1)
        ::close_range(low + 1, high - 1, 0);
    ::close_range(high + 1, ~0U, 0);

    char byte = 0;
    ssize_t n = 0;
    do
        n = ::read(pipeFd, &byte, 1);
    while (n < 0 && errno == EINTR);
    if (n == 0) { // the parent is gone without giving the port back
        ::tcsetattr(deviceFd, TCSANOW, &found);
        ::ioctl(deviceFd, TIOCNXCL);
        if (lockFile[0] != '\0' && LockFilePid(lockFile) == parent)
            ::unlink(lockFile);
    }
    ::_exit(0);
}

} // namespace

bool CReleaseGuard::Start(int deviceFd, const termios& found, const QByteArray& lockFile) {
    Stop();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    const pid_t parent = ::getpid();
    const char* lock = lockFile.constData(); // prepared here: the child must not allocate
    // The child starts with every signal blocked, so that no handler of ours runs in it.
    sigset_t all, previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[1]);
        Guard(deviceFd, pipeFds[0], found, lock, parent);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(pipeFds[0]);
    if (child < 0) {
        ::close(pipeFds[1]);
        return false;
    }
    m_child = child;
    m_pipe = pipeFds[1];
    return true;
}

void CReleaseGuard::Stop() {
    if (m_child < 0)
        return;
    const char done = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_pipe, &done, 1);
    ::close(m_pipe);
    // It ends at once; waited for, so that it neither lingers as a zombie nor holds the
    // device when the next program opens it.
    while (::waitpid(m_child, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_child = -1;
    m_pipe = -1;
}
