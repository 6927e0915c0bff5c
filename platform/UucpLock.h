#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The lock files that serial programs (minicom, picocom, cu, the users of lockdev) keep in
// /run/lock while they use a port: "LCK..ttyS0", holding the owner's process id as ten
// characters and a line feed (or, from old programs, as four binary bytes). A file whose
// owner is gone is stale and is removed by whoever finds it.
class CUucpLock {
public:
    struct Owner {
        qint64 pid = 0;
        QString program; // empty when the process cannot be looked at
        QString file;
    };

    // $QELT32_LOCK_DIR when set (tests keep their own), else /run/lock.
    static QString Folder();
    // The lock file that names `device`: its path below /dev with '/' as '_'
    // (/dev/pts/3 -> LCK..pts_3).
    static QString FileFor(const QString& device);
    // A live process other than this one that holds a lock on `device` (under that name or
    // under the device's bare name, as some programs write it).
    static std::optional<Owner> LiveOwner(const QString& device);

    // The pid a lock file's content names; 0 when it names none.
    static qint64 PidIn(QByteArray content);

    CUucpLock() = default;
    ~CUucpLock() { Release(); }
    CUucpLock(const CUucpLock&) = delete;
    CUucpLock& operator=(const CUucpLock&) = delete;

    // Takes the lock on `device`; nothing, or the live process that holds it. Where the
    // folder cannot take our file (missing, read-only) the device is used without one.
    std::optional<Owner> Acquire(const QString& device);
    // Removes our file, if it still names us.
    void Release();
    // Our lock file (empty while none is held).
    const QByteArray& File() const { return m_file; }

private:
    QByteArray m_file;
};
