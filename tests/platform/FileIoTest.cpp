#include "platform/FileIo.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

// A save killed half-way (here by the file-size limit's signal) keeps the old file and
// leaves nothing beside it.
TEST(FileIo, ASaveKilledHalfWayLeavesTheOldFileAndNothingElse) {
    QTemporaryDir dir;
    const QString target = dir.filePath("settings.qlt");
    ASSERT_EQ(WriteFileAtomically(target, "old contents"), FileError::None);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        (void)WriteFileAtomically(target, QByteArray(64 * 1024, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(Entries(dir.path()), QStringList{"settings.qlt"});
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old contents");
}

// The lock a run killed while storing the profile left is gone at the next start.
TEST(FileIo, AStaleProfileLockIsRemovedAtTheNextStart) {
    QTemporaryDir dir;
    const QString lockFile = dir.filePath("Vistrel Pro.ini.lock");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockFile);
        ::_exit(lock.tryLock(0) ? 0 : 1); // ends holding it
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(QFile::exists(lockFile));

    // A run that only reads the profile: nothing else would take the lock away.
    Profile::SetFolderForTests(dir.path());
    EXPECT_EQ(Profile::GetInt("Settings", "com", 7), 7);
    Profile::SetFolderForTests(QString());
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}
