#include "platform/UucpLock.h"

#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kDevPrefix = QStringLiteral("/dev/");

QString Canonical(const QString& device) {
    const QString path = QFileInfo(device).canonicalFilePath();
    return path.isEmpty() ? QFileInfo(device).absoluteFilePath() : path;
}

// The pid a lock file names; 0 when it names none.
// The folder is everyone's: a pipe or a huge file in a lock file's place names no one.
qint64 ReadPid(const QString& file) {
    constexpr qsizetype kMaxFileSize = 4096;
    QByteArray bytes;
    if (ReadWholeFile(file, kMaxFileSize, bytes) != FileError::None)
        return 0;
    return CUucpLock::PidIn(bytes);
}

bool IsAlive(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString ProgramOf(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readLine()).trimmed()
                                          : QString();
}

// The owner of `file` when it is alive and not us; a stale file is removed.
std::optional<CUucpLock::Owner> LiveOwnerOf(const QString& file) {
    if (!QFileInfo::exists(file))
        return std::nullopt;
    const qint64 pid = ReadPid(file);
    if (pid == QCoreApplication::applicationPid())
        return std::nullopt;
    if (!IsAlive(pid)) {
        QFile::remove(file);
        return std::nullopt;
    }
    return CUucpLock::Owner{pid, ProgramOf(pid), file};
}

} // namespace

qint64 CUucpLock::PidIn(QByteArray content) {
    content.truncate(64);
    const auto digitOrBlank = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) ||
               std::isspace(static_cast<unsigned char>(c));
    };
    // Four bytes that are not all digits and blanks are an old program's binary pid. Its low
    // bytes may well look like digits ("90" for 12345), but a pid never reaches the top byte.
    if (content.size() == 4 && !std::all_of(content.begin(), content.end(), digitOrBlank)) {
        qint32 pid = 0;
        std::memcpy(&pid, content.constData(), sizeof pid);
        return pid > 0 ? pid : 0;
    }
    bool number = false;
    const qint64 pid = content.trimmed().toLongLong(&number);
    return number && pid > 0 ? pid : 0;
}

QString CUucpLock::Folder() {
    const QString folder = qEnvironmentVariable("QELT32_LOCK_DIR");
    return folder.isEmpty() ? QStringLiteral("/run/lock") : folder;
}

QString CUucpLock::FileFor(const QString& device) {
    QString name = Canonical(device);
    if (name.startsWith(kDevPrefix))
        name = name.mid(kDevPrefix.size());
    name.replace('/', '_');
    return Folder() + QStringLiteral("/LCK..") + name;
}

std::optional<CUucpLock::Owner> CUucpLock::LiveOwner(const QString& device) {
    const QString file = FileFor(device);
    if (auto owner = LiveOwnerOf(file))
        return owner;
    const QString bare =
        Folder() + QStringLiteral("/LCK..") + QFileInfo(Canonical(device)).fileName();
    return bare == file ? std::nullopt : LiveOwnerOf(bare);
}

std::optional<CUucpLock::Owner> CUucpLock::Acquire(const QString& device) {
    Release();
    if (auto owner = LiveOwner(device))
        return owner;
    const QByteArray file = QFile::encodeName(FileFor(device));
    const qint64 self = QCoreApplication::applicationPid();
    // Written in full beside it, then linked into place: nobody reads a half-written file.
    const QByteArray temp = QFile::encodeName(Folder() + QStringLiteral("/LTMP.%1").arg(self));
    const int fd =
        ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return std::nullopt; // no lock folder we may write in
    const QByteArray text = QByteArray::number(self).rightJustified(10, ' ') + '\n';
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    std::optional<Owner> owner;
    for (int attempt = 0; written && attempt < 3; ++attempt) {
        if (::link(temp.constData(), file.constData()) == 0) {
            m_file = file;
            break;
        }
        if (errno != EEXIST)
            break;
        // Someone was quicker, or left a stale file (removed by the look).
        if ((owner = LiveOwnerOf(QFile::decodeName(file))))
            break;
        if (ReadPid(QFile::decodeName(file)) == self) {
            m_file = file;
            break;
        }
    }
    ::unlink(temp.constData());
    return owner;
}

void CUucpLock::Release() {
    if (m_file.isEmpty())
        return;
    if (ReadPid(QFile::decodeName(m_file)) == QCoreApplication::applicationPid())
        ::unlink(m_file.constData());
    m_file.clear();
}
