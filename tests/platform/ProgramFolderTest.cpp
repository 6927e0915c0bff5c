#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

// Sets QELT32_DATA_DIR for its lifetime and puts the previous value back.
class CScopedDataDir {
public:
    explicit CScopedDataDir(const QByteArray& value) : m_old(qgetenv("QELT32_DATA_DIR")) {
        if (value.isNull())
            qunsetenv("QELT32_DATA_DIR");
        else
            qputenv("QELT32_DATA_DIR", value);
    }
    ~CScopedDataDir() {
        if (m_old.isNull())
            qunsetenv("QELT32_DATA_DIR");
        else
            qputenv("QELT32_DATA_DIR", m_old);
    }

private:
    QByteArray m_old;
};

} // namespace

TEST(ProgramFolder, EnvironmentVariableWinsAndGetsATrailingSlash) {
    CScopedDataDir env("/opt/qelt32-data");
    EXPECT_EQ(ProgramFolder(), "/opt/qelt32-data/");
}

TEST(ProgramFolder, ExecutableFolderWithCursorsComesBeforeTheInstalledFolder) {
    CScopedDataDir env(QByteArray{});
    const QString exeFolder = QCoreApplication::applicationDirPath();
    QDir dir(exeFolder);
    const bool hadCursors = dir.exists("cursor");
    if (!hadCursors) {
        ASSERT_TRUE(dir.mkdir("cursor"));
    }
    EXPECT_EQ(ProgramFolder(), exeFolder + "/");
    if (hadCursors)
        return;
    ASSERT_TRUE(dir.rmdir("cursor"));
    const QString installed = ProgramFolder();
    EXPECT_TRUE(installed.endsWith("/qelt32/")) << installed.toStdString();
    EXPECT_NE(installed, exeFolder + "/");
}
