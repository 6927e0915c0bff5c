#include "platform/UucpLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

class UucpLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = qgetenv("QELT32_LOCK_DIR");
        qputenv("QELT32_LOCK_DIR", QFile::encodeName(folder.path()));
    }
    void TearDown() override { qputenv("QELT32_LOCK_DIR", previous); }

    void WriteLock(const QString& device, const QByteArray& content) {
        QFile file(CUucpLock::FileFor(device));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir folder;
    QByteArray previous;
};

} // namespace

TEST_F(UucpLockTest, NamesFollowTheDevicesPathBelowDev) {
    EXPECT_EQ(CUucpLock::FileFor("/dev/ttyS0"), folder.filePath("LCK..ttyS0"));
    EXPECT_EQ(CUucpLock::FileFor("/dev/pts/3"), folder.filePath("LCK..pts_3"));
}

TEST_F(UucpLockTest, LiveOwnersHoldTheLockAndStaleFilesAreRemoved) {
    QProcess owner;
    owner.start("sleep", {"30"});
    ASSERT_TRUE(owner.waitForStarted());
    // Ten characters and a line feed, as most programs write it...
    WriteLock("/dev/ttyS0", QByteArray::number(owner.processId()).rightJustified(10, ' ') + '\n');
    auto found = CUucpLock::LiveOwner("/dev/ttyS0");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pid, owner.processId());
    EXPECT_EQ(found->program, "sleep");
    CUucpLock ours;
    EXPECT_TRUE(ours.Acquire("/dev/ttyS0"));
    EXPECT_TRUE(ours.File().isEmpty());
    // ...or four binary bytes, as old ones did.
    qint32 pid = qint32(owner.processId());
    WriteLock("/dev/ttyS1", QByteArray(reinterpret_cast<const char*>(&pid), 4));
    EXPECT_TRUE(CUucpLock::LiveOwner("/dev/ttyS1"));

    owner.kill();
    owner.waitForFinished();
    EXPECT_FALSE(CUucpLock::LiveOwner("/dev/ttyS0"));
    EXPECT_FALSE(QFileInfo::exists(CUucpLock::FileFor("/dev/ttyS0"))) << "stale, removed";
    WriteLock("/dev/ttyS0", "garbage");
    EXPECT_FALSE(ours.Acquire("/dev/ttyS0"));
    QFile file(CUucpLock::FileFor("/dev/ttyS0"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray::number(QCoreApplication::applicationPid()).rightJustified(10, ' ') +
                  '\n');
    ours.Release();
    EXPECT_FALSE(QFileInfo::exists(CUucpLock::FileFor("/dev/ttyS0")));
}

TEST_F(UucpLockTest, AFolderWeMayNotWriteLeavesThePortUnlocked) {
    qputenv("QELT32_LOCK_DIR", "/nonexistent/locks");
    CUucpLock lock;
    EXPECT_FALSE(lock.Acquire("/dev/ttyS0"));
    EXPECT_TRUE(lock.File().isEmpty());
}

TEST_F(UucpLockTest, APipeInALockFilesPlaceNamesNoOneAndDoesNotBlock) {
    const QString lock = CUucpLock::FileFor("/dev/ttyS2");
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
    EXPECT_FALSE(CUucpLock::LiveOwner("/dev/ttyS2"));
    CUucpLock ours;
    EXPECT_FALSE(ours.Acquire("/dev/ttyS2"));
    EXPECT_EQ(ours.File(), QFile::encodeName(lock));
}

TEST(UucpLockContent, BinaryPidsAreReadWhateverTheirBytesLookLike) {
    const auto binary = [](qint32 pid) {
        return QByteArray(reinterpret_cast<const char*>(&pid), sizeof pid);
    };
    // Low bytes that read as digits ("90") or blanks (" \n") are still a binary pid.
    EXPECT_EQ(CUucpLock::PidIn(binary(12345)), 12345);
    EXPECT_EQ(CUucpLock::PidIn(binary(0x0a20)), 0x0a20);
    EXPECT_EQ(CUucpLock::PidIn(binary(0x3a31)), 0x3a31);
    EXPECT_EQ(CUucpLock::PidIn(binary(0)), 0);
    EXPECT_EQ(CUucpLock::PidIn(binary(-5)), 0);
    // Four characters of text are text.
    EXPECT_EQ(CUucpLock::PidIn("123\n"), 123);
    EXPECT_EQ(CUucpLock::PidIn("4567"), 4567);
    EXPECT_EQ(CUucpLock::PidIn("      4242\n"), 4242);
    EXPECT_EQ(CUucpLock::PidIn(""), 0);
    EXPECT_EQ(CUucpLock::PidIn("garbage\n"), 0);
}
