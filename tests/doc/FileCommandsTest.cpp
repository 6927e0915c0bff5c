// qelt32ctl's settings-file commands run against a simulated monitor.

#include "CliRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class FileCommandsTest : public testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString Serial() { return QString::number(cli.Sim().Profile().serial); }

    CCliRunner cli;
    QTemporaryDir dir;
};

TEST_F(FileCommandsTest, SaveThenShowWithoutAMonitor) {
    cli.Sim().SetValue(2, 141);
    const QString path = PathOf("saved.qlt");
    const auto saved = cli.Run({"save", path});
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), 82);

    const auto shown = cli.RunRaw({"show", path});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QStringList lines = shown.OutLines();
    EXPECT_EQ(lines.value(0), "form    binary");
    EXPECT_EQ(lines.value(1), "serial  " + Serial());
    EXPECT_TRUE(lines.contains("hsize 141"));
    EXPECT_EQ(lines.size(), 4 + 35);

    const auto json =
        cli.RunRaw({"--json", "show", Write("t.ini", "[data]\nfh=70\nhpos=9\n[flag]\ncolor=1\n")});
    ASSERT_EQ(json.status, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object["form"].toString(), "text");
    EXPECT_TRUE(object["serial"].isNull());
    EXPECT_EQ(object["fH"].toInt(), 70);
    EXPECT_TRUE(object["groups"].toObject()["color"].toBool());
    EXPECT_FALSE(object["groups"].toObject()["screen"].toBool());
}

TEST_F(FileCommandsTest, LoadSendsTheChosenGroups) {
    const QString path = PathOf("groups.qlt");
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    const std::uint16_t hsize = cli.Sim().Value(2), bright = cli.Sim().Value(0);
    cli.Sim().SetValue(2, std::uint16_t(hsize - 20));
    cli.Sim().SetValue(0, std::uint16_t(bright - 20));
    cli.Sim().ClearRequestLog();

    const auto loaded = cli.Run({"load", path, "--groups", "color"});
    ASSERT_EQ(loaded.status, 0) << loaded.err.toStdString();
    EXPECT_EQ(cli.Sim().Value(0), bright);
    EXPECT_EQ(cli.Sim().Value(2), hsize - 20);
    EXPECT_EQ(cli.Sim().SetValueCount(2), 0);
}

TEST_F(FileCommandsTest, RefusedFilesSendNothing) {
    const QString foreign =
        Write("foreign.ini", "[data]\nserial=1\nfh=68\nhsize=3\n[flag]\nscreen=1\ncolor=1\n");
    const auto other = cli.Run({"load", foreign});
    EXPECT_EQ(other.status, 2) << "bad input, not a communication failure";
    EXPECT_TRUE(other.err.contains("not for this monitor")) << other.err.toStdString();
    EXPECT_EQ(cli.SetValueFrames(), 0);

    // Files that cannot be loaded, and bad options, are refused before the monitor is
    // looked for.
    cli.Sim().ClearRequestLog();
    const auto missing = cli.Run({"load", PathOf("missing.qlt")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("missing.qlt")) << missing.err.toStdString();

    const auto cut = cli.Run({"load", Write("cut.qlt", QByteArray("\x01\x00\x23\x01", 4))});
    EXPECT_EQ(cut.status, 2);
    EXPECT_TRUE(cut.err.contains("Unexpected file format.")) << cut.err.toStdString();

    EXPECT_EQ(cli.Run({"load", foreign, "--groups", "screen,fonts"}).status, 2);
    EXPECT_EQ(cli.Run({"load", foreign, "--groups="}).status, 2);
    EXPECT_EQ(cli.Run({"load", foreign, "--all"}).status, 2);
    EXPECT_EQ(cli.Run({"load"}).status, 2);
    EXPECT_TRUE(cli.Sim().RequestLog().empty());
}

TEST_F(FileCommandsTest, ShowOfWhatIsNoSettingsFileIsBadInput) {
    QByteArray big(2 << 20, ' ');
    const QString fifo = PathOf("fifo.qlt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QList<std::pair<QString, QString>> cases = {
        {PathOf("missing.qlt"), "Cannot find this file."},
        {dir.path(), "Cannot find this file."},
        {fifo, "Failed to open document."},
        {Write("cut.qlt", QByteArray("\x01\x00\x23", 3)), "Unexpected file format."},
        {Write("big.qlt", big), "Unexpected file format."},
        {Write("v2.qlt", QByteArray("\x02\x00", 2) + QByteArray(80, '\x07')),
         "Unexpected file format."},
        {"/proc/self/status", "Unexpected file format."},
    };
    for (const auto& [path, message] : cases) {
        const auto shown = cli.RunRaw({"show", path});
        EXPECT_EQ(shown.status, 2) << path.toStdString();
        EXPECT_TRUE(shown.out.isEmpty());
        EXPECT_EQ(shown.ErrLines().size(), 1) << shown.err.toStdString();
        EXPECT_TRUE(shown.err.contains(message)) << shown.err.toStdString();
    }
    EXPECT_TRUE(cli.Sim().RequestLog().empty());
}

TEST_F(FileCommandsTest, LoadEndsAtTheFirstFailedWriteWithStatusOne) {
    const QString path = PathOf("a.qlt");
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    cli.Sim().SetValue(0, 10);
    cli.Sim().SetStick(0, SimStick::KeepsOld);
    cli.Sim().SetValue(1, 20);
    cli.Sim().ClearRequestLog();
    const auto loaded = cli.Run({"load", path});
    EXPECT_EQ(loaded.status, 1);
    EXPECT_TRUE(loaded.out.isEmpty()) << loaded.out.toStdString();
    EXPECT_EQ(loaded.ErrLines(),
              (QStringList{"qelt32ctl: Communication failure. Please check connection of the "
                           "maintenance cable.",
                           "qelt32ctl: load: " + path + ": not loaded"}));
    EXPECT_EQ(cli.Sim().Value(0), 10);
    EXPECT_EQ(cli.Sim().SetValueCount(1), 0) << "nothing after the failed write is sent";
    EXPECT_EQ(cli.Sim().Value(1), 20);
}

// Mode items get no reply to a set-value: the load reads back those its groups set.
TEST_F(FileCommandsTest, AModeTheMonitorDidNotTakeFailsTheLoad) {
    constexpr int kInterval = 32;
    const QString path = PathOf("modes.qlt");
    const std::uint16_t interval = cli.Sim().Value(kInterval) == 1 ? 2 : 1;
    cli.Sim().SetValue(kInterval, interval);
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    cli.Sim().SetValue(kInterval, std::uint16_t(interval + 1));
    cli.Sim().SetStick(kInterval, SimStick::KeepsOld);

    const auto colourOnly = cli.Run({"load", path, "--groups", "color"});
    EXPECT_EQ(colourOnly.status, 0) << colourOnly.err.toStdString();

    const auto loaded = cli.Run({"load", path});
    EXPECT_EQ(loaded.status, 1);
    EXPECT_TRUE(loaded.out.isEmpty()) << loaded.out.toStdString();
    EXPECT_EQ(loaded.ErrLines(),
              QStringList{"qelt32ctl: load: " + path +
                          ": the monitor did not take every mode the file sets"});
    cli.Sim().SetStick(kInterval, SimStick::Sticks);
    EXPECT_EQ(cli.Run({"load", path}).status, 0);
    EXPECT_EQ(cli.Sim().Value(kInterval), interval);
}

TEST_F(FileCommandsTest, ModeValuesOutsideTheirRangeAreADamagedFile) {
    const QString path = PathOf("ok.qlt");
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    bytes[12 + 2 * 31] = char(200); // colour mode 200
    cli.Sim().ClearRequestLog();
    const auto loaded = cli.Run({"load", Write("bad.qlt", bytes)});
    EXPECT_EQ(loaded.status, 2);
    EXPECT_EQ(loaded.ErrLines(), QStringList{"qelt32ctl: Unexpected file format."});
    EXPECT_EQ(cli.SetValueFrames(), 0);
}

TEST_F(FileCommandsTest, UnknownScanFrequenciesAreNeverSaved) {
    cli.Sim().DropRepliesOfKind(0x4E, 1);
    const QString path = PathOf("never.qlt");
    const auto saved = cli.Run({"save", path});
    EXPECT_EQ(saved.status, 1);
    EXPECT_TRUE(saved.err.contains("scan frequencies of the monitor could not be read"))
        << saved.err.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(FileCommandsTest, DiffListsWhatALoadWouldChange) {
    const QString path = PathOf("diff.qlt");
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    const auto same = cli.Run({"diff", path});
    ASSERT_EQ(same.status, 0);
    EXPECT_EQ(same.OutLines(), QStringList{"no differences"});

    const std::uint16_t hsize = cli.Sim().Value(2);
    cli.Sim().SetValue(2, std::uint16_t(hsize + 3));
    const auto changed = cli.Run({"diff", path});
    EXPECT_EQ(changed.OutLines(), QStringList{QString("hsize %1 -> %2").arg(hsize).arg(hsize + 3)});

    const auto json = cli.Run({"--json", "diff", Write("other.ini", "[data]\nserial=1\n")});
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(object["sameMonitor"].toBool());
    EXPECT_FALSE(object["sameTiming"].toBool());
    EXPECT_EQ(cli.SetValueFrames(), 0);
}

} // namespace
