#include "app/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool IsPrivateFolder(const QString& path, QString* why) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        *why = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        *why = QStringLiteral("%1: not a folder").arg(path);
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        *why = QStringLiteral("%1: owned by another user").arg(path);
        return false;
    }
    if ((st.st_mode & 077) != 0) {
        *why = QStringLiteral("%1: other users may enter it").arg(path);
        return false;
    }
    return true;
}

QString RuntimeFolder(QString* why) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString ignored;
    if (!runtime.isEmpty() && runtime.startsWith(QLatin1Char('/')) &&
        IsPrivateFolder(runtime, &ignored))
        return runtime;
    // No usable runtime folder (a bare session, su, a container): our own in the temporary
    // folder, which anybody may have created before us, so it is checked after making it.
    const QString own = QDir::tempPath() + QStringLiteral("/qelt32-%1").arg(::geteuid());
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST) {
        *why = QStringLiteral("%1: %2").arg(own, QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    return IsPrivateFolder(own, why) ? own : QString();
}
