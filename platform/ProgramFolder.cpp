#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString WithSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString ProgramFolderFor(const QString& executableFolder) {
    const QString fromEnvironment = qEnvironmentVariable("QELT32_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return WithSlash(fromEnvironment);
    if (!executableFolder.isEmpty()) {
        if (QDir(executableFolder).exists(QStringLiteral("cursor")))
            return WithSlash(executableFolder);
        // An installed tree wherever its prefix is (a package installs under /usr, a build
        // under /usr/local): the data folder lies beside the program's.
        const QString beside = QDir::cleanPath(executableFolder + QLatin1Char('/') +
                                               QStringLiteral(QELT32_DATADIR_FROM_BINDIR));
        if (QDir(beside).exists(QStringLiteral("cursor")))
            return WithSlash(beside);
    }
    return WithSlash(QStringLiteral(QELT32_INSTALL_DATADIR));
}

QString ProgramFolder() {
    // Without an application object there is no executable folder to ask for.
    return ProgramFolderFor(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                         : QString());
}
