// qelt32ctl doctor: what it says about a working monitor, a missing device, a device another
// program holds, and one the user may not open.

#include "CliRunner.h"

#include "platform/PosixSerialPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Row(const QStringList& lines, const QString& label) {
    for (const QString& line : lines)
        if (line.trimmed().startsWith(label + ' '))
            return line.trimmed().mid(label.size()).trimmed();
    return QString();
}

} // namespace

TEST(CliDoctor, AWorkingMonitorIsNamedAndEndsWithStatusZero) {
    CCliRunner cli;
    const auto result = cli.Run({"doctor"});
    ASSERT_EQ(result.status, 0) << result.out.toStdString() << result.err.toStdString();
    const QStringList lines = result.OutLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0],
              QStringLiteral("COM1  %1 (%2)")
                  .arg(cli.Server().Path(), QFileInfo(cli.Server().Path()).canonicalFilePath()));
    EXPECT_EQ(Row(lines, "monitor"), "revision C, maker VORKA, model VR-21C, serial 81100427");
    EXPECT_TRUE(Row(lines, "line").startsWith("9600 baud 8N1, ")) << result.out.toStdString();
    EXPECT_EQ(Row(lines, "result"), "a usable monitor answered");
    EXPECT_TRUE(Row(lines, "device").startsWith("present, group "));

    const auto json = cli.Run({"doctor", "--json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_TRUE(report["usable"].toBool());
    const QJsonObject port = report["ports"].toArray().at(0).toObject();
    EXPECT_EQ(port["path"].toString(), cli.Server().Path());
    EXPECT_EQ(port["monitor"].toObject()["serial"].toInteger(), 81100427);
    EXPECT_EQ(port["monitor"].toObject()["maker"].toString(), "VORKA");
    EXPECT_FALSE(port.contains("problem"));
}

TEST(CliDoctor, FlatPanelsAndOtherMakersAreNamedButNotUsable) {
    for (const char* profile : {"lcd", "foreign"}) {
        CCliRunner cli(QString::fromLatin1(profile));
        const auto result = cli.Run({"doctor"});
        EXPECT_EQ(result.status, 3) << profile;
        EXPECT_FALSE(Row(result.OutLines(), "monitor").isEmpty()) << profile;
        EXPECT_TRUE(Row(result.OutLines(), "problem")
                        .contains(std::string(profile) == "lcd" ? "flat panel" : "another maker"))
            << result.out.toStdString();
    }
    CCliRunner silent;
    silent.Sim().DropReplies(1);
    const auto result = silent.Run({"doctor"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(Row(result.OutLines(), "problem"), "no monitor answered the identity request");
}

TEST(CliDoctor, AMissingDeviceListsTheSerialDevicesThatExist) {
    CCliRunner cli;
    const auto result = cli.RunRaw({"--port", "/nonexistent/ttyUSB7", "doctor"});
    EXPECT_EQ(result.status, 3);
    const QStringList lines = result.OutLines();
    EXPECT_EQ(Row(lines, "problem"), "/nonexistent/ttyUSB7 does not exist");
    EXPECT_TRUE(lines.contains("serial devices:") || lines.contains("serial devices: none"))
        << result.out.toStdString();

    const auto json = cli.RunRaw({"--port", "/nonexistent/ttyUSB7", "doctor", "--json"});
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(report["usable"].toBool());
    EXPECT_TRUE(report["serialDevices"].isArray());
    EXPECT_FALSE(report["ports"].toArray().at(0).toObject()["exists"].toBool());
}

TEST(CliDoctor, ADeviceHeldByAnotherProgramNamesIt) {
    CCliRunner cli;
    CPosixSerialPort holder;
    ASSERT_TRUE(holder.Open(cli.Server().Path())) << qPrintable(holder.LastError());
    const auto result = cli.Run({"doctor"});
    EXPECT_EQ(result.status, 3);
    const QStringList lines = result.OutLines();
    EXPECT_TRUE(Row(lines, "problem").contains("in use by another program"))
        << result.out.toStdString();
    const QString self = QStringLiteral("(pid %1)").arg(QCoreApplication::applicationPid());
    EXPECT_TRUE(Row(lines, "held by").endsWith(self)) << result.out.toStdString();
    EXPECT_TRUE(Row(lines, "do").contains(self));
}

TEST(CliDoctor, ADeviceTheUserMayNotOpenNamesItsGroup) {
    CCliRunner cli;
    // Root opens every device through the capabilities that override file permissions;
    // without them in its bounding set it is stopped by them as any user is.
    if (geteuid() == 0)
        cli.RunThrough({"setpriv", "--bounding-set=-dac_override,-dac_read_search,-fowner", "--"});
    const QByteArray device = QFileInfo(cli.Server().Path()).canonicalFilePath().toLocal8Bit();
    struct stat st {};
    ASSERT_EQ(stat(device.constData(), &st), 0);
    ASSERT_EQ(chmod(device.constData(), 0), 0);
    const auto result = cli.Run({"doctor"});
    chmod(device.constData(), st.st_mode & 07777);
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(Row(result.OutLines(), "problem").startsWith("you may not open"));
    // No group may read and write it: joining one would not help, a udev rule does.
    EXPECT_TRUE(Row(result.OutLines(), "do").contains(R"(MODE="0660")"))
        << result.out.toStdString();
    EXPECT_FALSE(Row(result.OutLines(), "do").contains("-aG root"));
}

TEST(CliDoctor, AUserListedInTheGroupWhoseSessionLacksItIsToldToLogInAgain) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs to give the device to a group of its own";
    CCliRunner cli;
    // Root without the capabilities that override permissions, and without any
    // supplementary group: a user whose groups were read at login.
    cli.RunThrough({"setpriv", "--bounding-set=-dac_override,-dac_read_search,-fowner",
                    "--clear-groups", "--"});
    const QByteArray device = QFileInfo(cli.Server().Path()).canonicalFilePath().toLocal8Bit();
    struct stat st {};
    ASSERT_EQ(stat(device.constData(), &st), 0);
    constexpr gid_t kGroup = 4242;
    ASSERT_EQ(chown(device.constData(), uid_t(-1), kGroup), 0);
    ASSERT_EQ(chmod(device.constData(), 0060), 0);
    QTemporaryDir dir;
    QFile groups(dir.filePath("group"));
    ASSERT_TRUE(groups.open(QIODevice::WriteOnly));
    groups.write("serialusers:x:4242:someone,root\n");
    groups.close();
    qputenv("QELT32_GROUP_FILE", groups.fileName().toLocal8Bit());
    const auto result = cli.Run({"doctor"});
    qunsetenv("QELT32_GROUP_FILE");
    EXPECT_EQ(chown(device.constData(), uid_t(-1), st.st_gid), 0);
    EXPECT_EQ(chmod(device.constData(), st.st_mode & 07777), 0);
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(Row(result.OutLines(), "problem").contains("but this session started before"))
        << result.out.toStdString();
    EXPECT_TRUE(Row(result.OutLines(), "do").startsWith("log out and in again"));
}
