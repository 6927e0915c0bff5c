#include "TestEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

void SetUpTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QELT32_BIN_DIR"))
        qputenv("QELT32_BIN_DIR", QByteArray(QELT32_DEFAULT_BIN_DIR));
}
