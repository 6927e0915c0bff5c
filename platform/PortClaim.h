#pragma once

#include "platform/ReleaseGuard.h"
#include "platform/UucpLock.h"

#include <QString>

#include <termios.h>

// Makes an open terminal device ours before any of its settings is changed, and gives it
// back as it was found. A device is ours to use when it is not the terminal this program
// runs in, no other program has it open, and nobody holds its lock (flock, a UUCP lock
// file) or its exclusive flag. Claiming saves its line settings, sets the exclusive flag,
// writes our lock file and starts the guard that undoes all this should the process end
// without Release().
class CPortClaim {
public:
    CPortClaim() = default;
    ~CPortClaim() { Release(); }
    CPortClaim(const CPortClaim&) = delete;
    CPortClaim& operator=(const CPortClaim&) = delete;

    // Claims `fd`, the device at `path`. Empty on success, else why not, as
    // "in use by another program: socat (pid 812)".
    QString Claim(int fd, const QString& path);
    // Puts back the line settings found, clears the exclusive flag, removes our lock file.
    // Does nothing when nothing is claimed.
    void Release();

    // Why the device at `path` refused to be opened (EBUSY: held exclusively by another).
    static QString BusyReason(const QString& path);
    // Whether a reason of Claim() or BusyReason() says that another program has the device.
    static bool SaysInUse(const QString& reason);

private:
    int m_fd = -1;
    termios m_found{};
    CUucpLock m_lock;
    CReleaseGuard m_guard;
};
