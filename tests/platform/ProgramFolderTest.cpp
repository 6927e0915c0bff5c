#include "platform/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>

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
    QTemporaryDir exeFolder;
    const QString installed = ProgramFolderFor(exeFolder.path());
    EXPECT_TRUE(installed.endsWith("/qelt32/")) << installed.toStdString();
    ASSERT_TRUE(QDir(exeFolder.path()).mkdir("cursor"));
    EXPECT_EQ(ProgramFolderFor(exeFolder.path()), exeFolder.path() + "/");
    EXPECT_EQ(ProgramFolderFor(QString()), installed);
}

TEST(ProgramFolder, AnInstalledTreeFindsItsDataFolderBesideItsPrograms) {
    CScopedDataDir env(QByteArray{});
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    const QString bin = prefix.path() + "/bin";
    const QString builtFor = ProgramFolderFor(bin);
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/qelt32/cursor"));
    EXPECT_EQ(ProgramFolderFor(bin), prefix.path() + "/share/qelt32/");
    // Without cursors there it is not the program's folder.
    ASSERT_TRUE(QDir(prefix.path() + "/share/qelt32/cursor").removeRecursively());
    EXPECT_EQ(ProgramFolderFor(bin), builtFor);
}
