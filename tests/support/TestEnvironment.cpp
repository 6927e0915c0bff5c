#include "TestEnvironment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <sys/stat.h>

void SetUpTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QELT32_BIN_DIR"))
        qputenv("QELT32_BIN_DIR", QByteArray(QELT32_DEFAULT_BIN_DIR));
    // The machine's own adapters are never probed: a test that wants some makes a folder.
    if (qEnvironmentVariableIsEmpty("QELT32_DEV_DIR"))
        qputenv("QELT32_DEV_DIR", "/nonexistent/qelt32-test-dev");
    if (qEnvironmentVariableIsEmpty("QELT32_SYS_DIR"))
        qputenv("QELT32_SYS_DIR", "/nonexistent/qelt32-test-sys");
    // The ports' lock files go to a folder of the tests, not the machine's /run/lock; open
    // to every user as that one is, for the tests that run a program as another user.
    if (qEnvironmentVariableIsEmpty("QELT32_LOCK_DIR")) {
        const QString folder = QDir::temp().filePath(QStringLiteral("qelt32-test-locks"));
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), 01777);
        qputenv("QELT32_LOCK_DIR", QFile::encodeName(folder));
    }
}
