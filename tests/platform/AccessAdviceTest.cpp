#include "platform/AccessAdvice.h"

#include <QFile>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

using AccessAdvice::Advise;
using AccessAdvice::Facts;

namespace {
Facts Device(unsigned mode, unsigned gid, const char* group) {
    Facts facts;
    facts.node = QStringLiteral("ttyUSB0");
    facts.mode = mode;
    facts.gid = gid;
    facts.group = QString::fromLatin1(group);
    return facts;
}
} // namespace

TEST(AccessAdvice, JoiningIsAdvisedOnlyForAGroupThatMayReadAndWriteAndIsNotRoot) {
    const auto dialout = Advise(Device(0660, 20, "dialout"), "/dev/ttyUSB0");
    EXPECT_EQ(dialout.problem, "you may not open /dev/ttyUSB0");
    EXPECT_EQ(dialout.advice,
              "join its group: sudo usermod -aG dialout $USER, then log out and in again");

    for (const Facts& facts : {Device(0600, 0, "root"), Device(0660, 0, "root"),
                               Device(0640, 20, "dialout"), Device(0606, 5, "tty")}) {
        const auto advice = Advise(facts, "/dev/ttyUSB0");
        EXPECT_FALSE(advice.advice.contains("-aG root")) << qPrintable(advice.advice);
        EXPECT_TRUE(advice.problem.contains("has no read-write permission"));
        EXPECT_TRUE(advice.advice.contains(
            R"('SUBSYSTEM=="tty", KERNEL=="ttyUSB[0-9]*", GROUP="dialout", MODE="0660"')"))
            << qPrintable(advice.advice);
        EXPECT_TRUE(advice.advice.contains(R"(TAG+="uaccess")"));
    }
}

TEST(AccessAdvice, ListedInTheGroupButNotInThisSessionMeansLogInAgain) {
    Facts facts = Device(0660, 20, "dialout");
    facts.listedInGroup = true;
    const auto advice = Advise(facts, "/dev/ttyUSB0");
    EXPECT_TRUE(advice.problem.contains("you are in group dialout, but this session started"));
    EXPECT_TRUE(advice.advice.startsWith("log out and in again"));
    EXPECT_FALSE(advice.advice.contains("usermod"));
}

TEST(AccessAdvice, RulesMatchEveryNodeOfTheKind) {
    EXPECT_EQ(AccessAdvice::SeatRule("ttyACM12"),
              R"(SUBSYSTEM=="tty", KERNEL=="ttyACM[0-9]*", TAG+="uaccess")");
    EXPECT_EQ(AccessAdvice::GroupRule("monitor"),
              R"(SUBSYSTEM=="tty", KERNEL=="monitor", GROUP="dialout", MODE="0660")");
}

TEST(AccessAdvice, GatherReadsTheGroupFileForMembershipOutsideTheSession) {
    const passwd* pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    QTemporaryDir dir;
    const QString device = dir.filePath("dev");
    QFile node(device);
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    QFile groups(dir.filePath("group"));
    ASSERT_TRUE(groups.open(QIODevice::WriteOnly));
    // The file's own group (ours) lists us; another line must not confuse the reader.
    groups.write(QStringLiteral("other:x:4242:someone\nours:x:%1:nobody,%2\n")
                     .arg(getegid())
                     .arg(QString::fromLocal8Bit(pw->pw_name))
                     .toLocal8Bit());
    groups.close();
    qputenv("QELT32_GROUP_FILE", groups.fileName().toLocal8Bit());
    const Facts facts = AccessAdvice::Gather(device);
    qunsetenv("QELT32_GROUP_FILE");
    EXPECT_EQ(facts.gid, getegid());
    EXPECT_TRUE(facts.inSession);
    EXPECT_TRUE(facts.listedInGroup);
    EXPECT_EQ(facts.node, "dev");
}
