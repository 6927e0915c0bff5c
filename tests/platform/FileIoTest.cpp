#include "platform/FileIo.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

// Saving over one's own file of a group one is not in (any more): the new file cannot keep
// that group, and what the old one let that group do is not handed to one's own group.
TEST(FileIo, ASaveThatCannotKeepTheGroupDoesNotOpenTheFileToOurs) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a file of another group takes root";
    constexpr gid_t kOtherGroup = 4242;
    constexpr uid_t kOrdinaryUser = 65534;
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString target = dir.filePath("settings.qlt");
    const QByteArray path = QFile::encodeName(target);
    ASSERT_EQ(WriteFileAtomically(target, "old"), FileError::None);
    ASSERT_EQ(::chown(path.constData(), kOrdinaryUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.constData(), 0664), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool ordinary = ::setgroups(0, nullptr) == 0 &&
                              ::setresgid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) == 0 &&
                              ::setresuid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) == 0;
        ::_exit(ordinary && WriteFileAtomically(target, "new") == FileError::None ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    struct stat saved {};
    ASSERT_EQ(::stat(path.constData(), &saved), 0);
    EXPECT_EQ(saved.st_uid, kOrdinaryUser);
    EXPECT_NE(saved.st_gid, kOtherGroup);
    EXPECT_EQ(saved.st_mode & 07777, 0604u) << std::oct << (saved.st_mode & 07777);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
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
