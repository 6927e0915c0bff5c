#include "platform/Profile.h"
#include "platform/ProfileFormat.h"

#include "TempProfile.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray kAfterTheBadPart = "\n[Ports]\nCOM1=/dev/ttyUSB3\n\n[Other Program]\nkey=kept\n";

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Garbage() {
    QByteArray bytes;
    for (int i = 0; i < 512; ++i)
        bytes += char((i * 151 + 17) & 0xFF);
    return bytes;
}

} // namespace

TEST(ProfileFormat, WhatQSettingsWritesIsSoundAndEachFaultNamesItsLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("written.ini");
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue("Ports/COM1", "/dev/serial/by-id/usb \"x\", y\\z");
        settings.setValue("Ports/COM2", " leading blank");
        settings.setValue("A/list", QStringList{"a", "b,c"});
        settings.setValue(QString::fromUtf8("A/\u00fc key"),
                          QString::fromUtf8("w\u00e9rt\n\tzwei"));
        settings.setValue("A/bytes", QByteArray("\0\x01\xff\"", 4));
        settings.setValue("top", 2);
    }
    EXPECT_EQ(ProfileFormat::FirstBadLine(ReadBytes(path)), 0);
    EXPECT_EQ(ProfileFormat::FirstBadLine("\xEF\xBB\xBF; note\r\n[S]\r\nk = v\r\n# too\n"), 0);

    EXPECT_EQ(ProfileFormat::FirstBadLine("[S]\nk=1\nDevice=\"/dev/x\n[Ports]\n"), 3);
    EXPECT_EQ(ProfileFormat::FirstBadLine("[S]\nk=a\\\nb=2\n"), 2);
    EXPECT_EQ(ProfileFormat::FirstBadLine("[S\nk=1\n"), 1);
    EXPECT_EQ(ProfileFormat::FirstBadLine("[S]\njust words\n"), 2);
    EXPECT_EQ(ProfileFormat::FirstBadLine("[S]\n=value\n"), 2);
    EXPECT_EQ(ProfileFormat::FirstBadLine(QByteArray("[S]\nk=a\0b\n", 10)), 2);
    EXPECT_EQ(ProfileFormat::FirstBadLine("[S]\nk=\xC3\x28\n"), 2);
}

TEST(ProfileFormat, ReadableLinesLeaveOutBadLinesAndTheSectionOfABadHeader) {
    const QByteArray text = "[A]\nk=1\nbad=\"open\n[B\nlost=1\n[C]\nc=3\n";
    EXPECT_EQ(ProfileFormat::ReadableLines(text), "[A]\nk=1\n[C]\nc=3\n");
}

// Each damaged profile is read past its fault, written to by a whole run, and then found
// byte for byte as it was.
TEST(Profile, ADamagedProfileIsReadAsFarAsItCanBeAndNeverWritten) {
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"unclosed quote", "[Settings]\ncom=1\nDevice=\"/dev/ttyUSB0\n" + kAfterTheBadPart},
        {"binary garbage", "[Settings]\ncom=1\n" + Garbage() + '\n' + kAfterTheBadPart},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString path = dir.filePath("Vistrel Pro.ini");
        WriteBytes(path, bytes);
        testing::internal::CaptureStderr();
        Profile::SetFolderForTests(dir.path());
        EXPECT_EQ(Profile::GetString("Ports", "COM1"), "/dev/ttyUSB3");
        EXPECT_EQ(Profile::GetString("Other Program", "key"), "kept");
        EXPECT_EQ(Profile::GetInt("Settings", "com", 0), 1);
        EXPECT_TRUE(Profile::Problem().contains(path));
        Profile::WriteInt("Settings", "com", 3);
        {
            const Profile::CWriteBatch batch;
            Profile::WriteString("Settings", "Resolution", "1600,1200,10,10");
        }
        EXPECT_EQ(Profile::GetInt("Settings", "com", 0), 3); // kept for the rest of the run
        Profile::SetFolderForTests(QString());
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_NE(told.find(path.toStdString()), std::string::npos) << told;
        EXPECT_EQ(told.find(path.toStdString()), told.rfind(path.toStdString())) << "said once";
    }
}

TEST(Profile, APipeInThePlaceOfTheProfileNeitherBlocksNorIsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Vistrel Pro.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    testing::internal::CaptureStderr();
    Profile::SetFolderForTests(dir.path());
    EXPECT_EQ(Profile::GetInt("Settings", "com", 7), 7);
    Profile::WriteInt("Settings", "com", 2);
    EXPECT_FALSE(Profile::Problem().isEmpty());
    Profile::SetFolderForTests(QString());
    testing::internal::GetCapturedStderr();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(Profile, ABatchStoresItsWritesOnceAtItsEndAndAWriteAloneAtOnce) {
    CTempProfile profile;
    const QString path = profile.Folder() + "/Vistrel Pro.ini";
    Profile::WriteInt("Settings", "com", 1);
    EXPECT_TRUE(ReadBytes(path).contains("com=1"));
    {
        const Profile::CWriteBatch batch;
        Profile::WriteInt("Settings", "com", 2);
        Profile::WriteString("Other", "name", "value");
        EXPECT_EQ(Profile::GetInt("Settings", "com", 0), 2);
        EXPECT_FALSE(ReadBytes(path).contains("com=2"));
    }
    const QByteArray stored = ReadBytes(path);
    EXPECT_TRUE(stored.contains("com=2"));
    EXPECT_TRUE(stored.contains("name=value"));
    EXPECT_TRUE(Profile::Problem().isEmpty());
}

TEST(Profile, AProfileDamagedWhileTheProgramRunsIsNotWrittenOver) {
    CTempProfile profile;
    const QString path = profile.Folder() + "/Vistrel Pro.ini";
    Profile::WriteInt("Settings", "com", 1);
    const QByteArray edited = "[Settings]\ncom=1\nDevice=\"/dev/ttyUSB0\n" + kAfterTheBadPart;
    WriteBytes(path, edited);
    testing::internal::CaptureStderr();
    Profile::WriteInt("Settings", "com", 2);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadBytes(path), edited);
    EXPECT_FALSE(Profile::Problem().isEmpty());
}
