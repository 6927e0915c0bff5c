// qelt32ctl: the monitor controller from a terminal or a script. Finds the monitor as the
// desktop program does, reads all of it, runs one command and ends with a status that
// says what happened (cli/ExitStatus.h).

#include "cli/Run.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qelt32ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QELT32_VERSION));
    return RunQelt32Ctl(QCoreApplication::arguments());
}
