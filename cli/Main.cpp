// qelt32ctl: the monitor controller from a terminal or a script. Finds the monitor as the
// desktop program does, reads all of it, runs one command and ends with a status that
// says what happened (cli/ExitStatus.h).

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/Run.h"
#include "platform/Version.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A standard stream the caller closed is taken by a read-only /dev/null: the next device
// opened (the monitor's port) can then never receive our output, and writes to the
// stream fail, so the check below reports them.
void HoldClosedStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_RDONLY); // takes the lowest free descriptor: fd
}

// Output that did not reach its destination (a full disk, a closed pipe) is a failure.
int FinishOutput(int status) {
    errno = 0;
    const bool lost = std::ferror(stdout) != 0;
    const bool flushed = std::fflush(stdout) == 0;
    const bool closed = std::fclose(stdout) == 0;
    if (!lost && flushed && closed)
        return status;
    const int error = errno;
    PrintError(error ? QStringLiteral("cannot write to standard output: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(error)))
                     : QStringLiteral("cannot write to standard output"));
    return status == Exit::Ok ? Exit::Failure : status;
}

} // namespace

int main(int argc, char** argv) {
    HoldClosedStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qelt32ctl"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kQelt32Version));
    return FinishOutput(RunQelt32Ctl(QCoreApplication::arguments()));
}
