#pragma once

#include <QByteArray>

#include <sys/types.h>
#include <termios.h>

// Gives a port back when this process ends without closing it (killed, crashed). The
// exclusive flag belongs to the device and outlives us for as long as anyone else has it
// open (the far end of a pseudo-terminal): an ordinary user's next program would find the
// port busy until then, and could not clear the flag without opening the device. A small
// child process therefore holds the device too and waits for us to go; if we went without
// Stop(), it puts back the line settings we found, clears the flag and removes our lock file.
class CReleaseGuard {
public:
    // The guard's process name, so that nobody takes it for another program on the port.
    static constexpr const char* kProgramName = "qelt32-release";

    CReleaseGuard() = default;
    ~CReleaseGuard() { Stop(); }
    CReleaseGuard(const CReleaseGuard&) = delete;
    CReleaseGuard& operator=(const CReleaseGuard&) = delete;

    // False when no process could be started (the port is then used without a guard).
    bool Start(int deviceFd, const termios& found, const QByteArray& lockFile);
    // We give the port back ourselves: the guard ends without touching anything.
    void Stop();
    pid_t Pid() const { return m_child; }

private:
    pid_t m_child = -1;
    int m_pipe = -1; // its other end reads end-of-file when we are gone
};
