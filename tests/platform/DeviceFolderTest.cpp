// The device folder a test makes for itself goes with the test and leaves the folders the
// tests run with in place, so that no later test reaches the machine's own adapters.

#include "DeviceFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(DeviceFolderTest, StandsForTheDevicesWhileItLivesThenPutsBackWhatWasThere) {
    const QByteArray dev = qgetenv("QELT32_DEV_DIR"), sys = qgetenv("QELT32_SYS_DIR");
    ASSERT_FALSE(dev.isEmpty()) << "the tests run without a guard against the machine's /dev";
    {
        const CDeviceFolder folder;
        ASSERT_TRUE(folder.IsValid());
        EXPECT_EQ(QFile::decodeName(qgetenv("QELT32_DEV_DIR")), folder.Path());
        EXPECT_TRUE(QFileInfo(folder.ById({})).isDir());
        EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(qgetenv("QELT32_SYS_DIR"))));
    }
    EXPECT_EQ(qgetenv("QELT32_DEV_DIR"), dev);
    EXPECT_EQ(qgetenv("QELT32_SYS_DIR"), sys);

    const QString tree = QStringLiteral("/some/device/tree");
    {
        const CDeviceFolder folder(tree);
        EXPECT_EQ(QFile::decodeName(qgetenv("QELT32_SYS_DIR")), tree);
    }
    EXPECT_EQ(qgetenv("QELT32_SYS_DIR"), sys);
}

TEST(DeviceFolderTest, AVariableThatWasNotSetIsNotSetAfterwards) {
    ASSERT_FALSE(qEnvironmentVariableIsSet("QELT32_TEST_UNSET"));
    {
        const CScopedEnv set("QELT32_TEST_UNSET", QString());
        EXPECT_TRUE(qEnvironmentVariableIsSet("QELT32_TEST_UNSET"));
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet("QELT32_TEST_UNSET"));
}
