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

QString ProgramFolder() {
    const QString fromEnvironment = qEnvironmentVariable("QELT32_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return WithSlash(fromEnvironment);
    // Without an application object there is no executable folder to ask for.
    if (QCoreApplication::instance()) {
        const QString exeFolder = QCoreApplication::applicationDirPath();
        if (QDir(exeFolder).exists(QStringLiteral("cursor")))
            return WithSlash(exeFolder);
    }
    return WithSlash(QStringLiteral(QELT32_INSTALL_DATADIR));
}
