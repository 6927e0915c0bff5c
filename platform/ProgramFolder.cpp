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
    if (!executableFolder.isEmpty() && QDir(executableFolder).exists(QStringLiteral("cursor")))
        return WithSlash(executableFolder);
    return WithSlash(QStringLiteral(QELT32_INSTALL_DATADIR));
}

QString ProgramFolder() {
    // Without an application object there is no executable folder to ask for.
    return ProgramFolderFor(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                         : QString());
}
