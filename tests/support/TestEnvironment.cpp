#include "TestEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

void SetUpTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QELT32_BIN_DIR"))
        qputenv("QELT32_BIN_DIR", QByteArray(QELT32_DEFAULT_BIN_DIR));
    // The machine's own adapters are never probed: a test that wants some makes a folder.
    if (qEnvironmentVariableIsEmpty("QELT32_DEV_DIR"))
        qputenv("QELT32_DEV_DIR", "/nonexistent/qelt32-test-dev");
    if (qEnvironmentVariableIsEmpty("QELT32_SYS_DIR"))
        qputenv("QELT32_SYS_DIR", "/nonexistent/qelt32-test-sys");
}
