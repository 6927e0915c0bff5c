#include "platform/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError FromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

// Owns a descriptor; closing explicitly reports the error a late write-back may give.
class CFd {
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Follows symbolic links so that saving replaces the file a link points at, not the link.
QString ResolveLinks(const QString& path) {
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

QByteArray TemporaryName(const QFileInfo& target) {
    return QFile::encodeName(target.absolutePath() + "/." + target.fileName() + '.' +
                             QString::number(QRandomGenerator::global()->generate(), 36) + ".tmp");
}

// A new file beside the target. Where the file system can, it has no name until it is
// complete (O_TMPFILE): a save cut short by a crash or a kill leaves nothing behind.
// Elsewhere it is a named file, created exclusively so nobody else's file is reused.
int CreateTemporary(const QString& target, bool& unnamed, QByteArray& tempName) {
    const QFileInfo info(target);
    const int fd = ::open(QFile::encodeName(info.absolutePath()).constData(),
                          O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    unnamed = fd >= 0;
    if (unnamed || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = TemporaryName(info);
        const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Gives the complete unnamed file a name beside the target, for the rename over it.
bool NameTemporary(int fd, const QString& target, QByteArray& tempName) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = TemporaryName(QFileInfo(target));
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, tempName.constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    tempName.clear();
    return false;
}

} // namespace

FileError ReadWholeFile(const QString& path, qsizetype maxBytes, QByteArray& bytes) {
    bytes.clear();
    // Non-blocking, so that a named pipe cannot hold the program; only plain files are read.
    CFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return FromErrno(errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    if (S_ISDIR(st.st_mode))
        return FileError::NotFound;
    if (!S_ISREG(st.st_mode))
        return FileError::Other;
    if (st.st_size > maxBytes)
        return FileError::TooLarge;

    // Room for what the file holds and one byte more, which tells a file that grew; more
    // only while it keeps growing, and never past the cap.
    QByteArray data(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    for (;;) {
        if (total == data.size()) {
            if (data.size() > maxBytes)
                break;
            data.resize(std::min(data.size() * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(fd.Get(), data.data() + total, size_t(data.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FromErrno(errno);
        if (n == 0)
            break;
        total += n;
    }
    if (total > maxBytes) // grew while we read it
        return FileError::TooLarge;
    data.truncate(total);
    bytes = data;
    return FileError::None;
}

FileError WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString target = ResolveLinks(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return S_ISDIR(old.st_mode) ? FileError::AccessDenied : FileError::Other;
        // The read-only mark is honoured even where the user could replace the file.
        if ((old.st_mode & 0222) == 0 || ::access(targetName.constData(), W_OK) != 0)
            return FileError::AccessDenied;
    } else if (errno != ENOENT) {
        return FromErrno(errno);
    }

    QByteArray tempName;
    bool unnamed = false;
    CFd fd(CreateTemporary(target, unnamed, tempName));
    if (fd.Get() < 0)
        return errno == EACCES || errno == EPERM ? FileError::FolderNotWritable : FromErrno(errno);
    int error = 0;
    if (exists) {
        // Keeping the owner works only where we may (the group alone where we are in it);
        // the file is written either way. What the old file let its owner or group do is
        // not handed to us or to our group when they take their place.
        if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int grouped = ::fchown(fd.Get(), uid_t(-1), old.st_gid);
        }
        mode_t mode = old.st_mode & 07777;
        struct stat now {};
        const bool known = ::fstat(fd.Get(), &now) == 0;
        if (!known || now.st_gid != old.st_gid)
            mode &= ~mode_t(S_ISGID | S_IRWXG);
        if (!known || now.st_uid != old.st_uid)
            mode &= ~mode_t(S_ISUID);
        if (::fchmod(fd.Get(), mode) != 0)
            error = errno;
    }
    if (!error && !WriteAll(fd.Get(), bytes.constData(), bytes.size()))
        error = errno;
    if (!error && ::fsync(fd.Get()) != 0)
        error = errno;
    if (!error && unnamed && !NameTemporary(fd.Get(), target, tempName))
        error = errno;
    if (!fd.Close() && !error)
        error = errno;
    if (!error && ::rename(tempName.constData(), targetName.constData()) != 0)
        error = errno;
    if (error) {
        if (!tempName.isEmpty())
            ::unlink(tempName.constData());
        return FromErrno(error);
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return FileError::None;
}

QString WriteFolder(const QString& path) {
    return QFileInfo(ResolveLinks(path)).absolutePath();
}
