// qelt32ctl reading the monitor: info, dump, get, JSON, the trace, help and the statuses of
// a run that finds no usable monitor.

#include "CliRunner.h"

#include "link/Monitor.h"
#include "sim/SimConsole.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

QJsonObject ParseObject(const QString& line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    return document.object();
}

} // namespace

TEST(CliInfo, ShowsIdentityPortAndScanFrequencies) {
    CCliRunner cli;
    const auto result = cli.Run({"info"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(result.OutLines(),
              (QStringList{"port      " + cli.Server().Path() + " (" +
                               QFileInfo(cli.Server().Path()).canonicalFilePath() + ", COM1)",
                           "revision  C", "maker     VORKA", "model     VR-21C",
                           "serial    81100427", "fH        68 kHz", "fV        75 Hz"}));
}

TEST(CliInfo, JsonIsOneObjectAndRevisionBFrequenciesAreNotScaled) {
    CCliRunner cli(QStringLiteral("revB"));
    const auto result = cli.Run({"info", "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    ASSERT_EQ(result.OutLines().size(), 1);
    const QJsonObject info = ParseObject(result.out);
    EXPECT_EQ(info["revision"].toString(), "B");
    EXPECT_EQ(info["model"].toString(), "VR-17B");
    EXPECT_EQ(info["serial"].toInteger(), 70211853);
    EXPECT_EQ(info["port"].toString(), cli.Server().Path());
    EXPECT_EQ(info["com"].toInt(), 1);
    EXPECT_EQ(info["fH"].toInt(), 68);
    EXPECT_EQ(info["fV"].toInt(), 75);
}

TEST(CliInfo, RunsGivenTheirOneDeviceKeepTheStoredPort) {
    CCliRunner cli;
    auto storedPort = [&] {
        return QSettings(cli.ProfileFile(), QSettings::IniFormat).value("Settings/com", -1).toInt();
    };
    QSettings(cli.ProfileFile(), QSettings::IniFormat).setValue("Settings/com", 2);
    ASSERT_EQ(cli.Run({"info"}).status, 0);
    EXPECT_EQ(storedPort(), 2);
    ASSERT_EQ(cli.RunRaw({"--simulate=revB", "info"}).status, 0);
    EXPECT_EQ(storedPort(), 2);
    // The four slots are the user's: the port found there is the one to try first.
    ASSERT_EQ(cli.RunRaw({"--ports", ",," + cli.Server().Path(), "info"}).status, 0);
    EXPECT_EQ(storedPort(), 2);
    ASSERT_EQ(cli.RunRaw({"--ports", "/dev/null-port," + cli.Server().Path(), "info"}).status, 0);
    EXPECT_EQ(storedPort(), 1);
}

TEST(CliDump, ListsEveryItemWithCodeStatusMaximumAndValue) {
    CCliRunner cli;
    const auto text = cli.Run({"dump"});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QStringList lines = text.OutLines();
    ASSERT_EQ(lines.size(), 1 + 35);
    EXPECT_EQ(lines[1 + 2].simplified(), QString("2 hsize 0x1A 0 255 %1").arg(cli.Sim().Value(2)));
    EXPECT_EQ(lines[1 + 11].simplified(), "11 pintop 0xBA 1 0 0");

    const auto json = cli.Run({"--json", "dump"});
    ASSERT_EQ(json.status, 0);
    const QJsonArray items = ParseObject(json.out)["items"].toArray();
    ASSERT_EQ(items.size(), 35);
    const QJsonObject hsize = items[2].toObject();
    EXPECT_EQ(hsize["name"].toString(), "hsize");
    EXPECT_EQ(hsize["code"].toInt(), 0x1A);
    EXPECT_EQ(hsize["status"].toInt(), 0);
    EXPECT_EQ(hsize["maximum"].toInt(), 255);
    EXPECT_EQ(hsize["value"].toInt(), cli.Sim().Value(2));
    EXPECT_EQ(items[11].toObject()["status"].toInt(), 1);
}

TEST(CliGet, PrintsNamedItemsByNameOrNumber) {
    CCliRunner cli;
    cli.Sim().SetValue(0, 77);
    const auto result = cli.Run({"get", "bright", "2", "HSIZE"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QString hsize = QString("hsize %1").arg(cli.Sim().Value(2));
    EXPECT_EQ(result.OutLines(), (QStringList{"bright 77", hsize, hsize}));

    const auto json = cli.Run({"--json", "get", "contrast"});
    const QJsonArray items = ParseObject(json.out)["items"].toArray();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].toObject()["value"].toInt(), cli.Sim().Value(1));
}

TEST(CliGet, TheSimulatorsConsoleNamesEveryItemAsQelt32ctlDoes) {
    CCliRunner cli("layout2"); // every item available
    QStringList names, expected;
    for (int item = 0; item < Items::kCount; ++item) {
        const QString name = QString::fromLatin1(Items::Info(item).name);
        // Neighbours get different values, so that two names swapped show. The mode items
        // act on others (a colour mode brings its colours), so they keep their values.
        const SimCommandResult set =
            RunSimCommand(cli.Sim(), item < Items::ModeWord
                                         ? QStringLiteral("set %1 %2").arg(name).arg(1 + item % 2)
                                         : QStringLiteral("get %1").arg(name));
        EXPECT_TRUE(set.answer.startsWith(QStringLiteral("%1 (%2) = ").arg(name).arg(item)))
            << set.answer.toStdString();
        names << name;
    }
    for (int item = 0; item < Items::kCount; ++item)
        expected << QStringLiteral("%1 %2").arg(names[item]).arg(cli.Sim().Value(item));
    const auto result = cli.Run(QStringList{"get"} + names);
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.OutLines(), expected);
}

TEST(CliGet, AnItemTheMonitorLacksIsAnErrorButTheOthersArePrinted) {
    CCliRunner cli;
    const auto result = cli.Run({"get", "pintop", "bright"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.OutLines(), QStringList{QString("bright %1").arg(cli.Sim().Value(0))});
    EXPECT_EQ(result.ErrLines(), QStringList{"qelt32ctl: get: this monitor has no pintop"});
}

TEST(CliTrace, EveryFrameGoesToStandardErrorWithItsTime) {
    CCliRunner cli;
    const auto result = cli.Run({"--trace", "get", "bright"});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.OutLines(), QStringList{QString("bright %1").arg(cli.Sim().Value(0))});
    const QStringList trace = result.ErrLines();
    ASSERT_FALSE(trace.isEmpty());
    const QRegularExpression line("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} (send|recv)( [0-9A-F]{2})+$");
    for (const QString& entry : trace)
        EXPECT_TRUE(line.match(entry).hasMatch()) << entry.toStdString();
    EXPECT_TRUE(trace.first().endsWith(" send 55 55 6E 50 81 F1 4E AA AA"));
    EXPECT_TRUE(trace[1].contains(" recv 55 55 50 6E ")); // the identity reply
    // Every request the monitor got was traced.
    const qsizetype sent = trace.filter(" send ").size();
    EXPECT_EQ(sent, qsizetype(cli.Sim().RequestLog().size()));
}

TEST(CliHelp, EveryCommandHasHelpAndHelpNeedsNoMonitor) {
    CCliRunner cli;
    const auto general = cli.RunRaw({"--port", "/nonexistent/tty", "--help"});
    ASSERT_EQ(general.status, 0);
    for (const char* command :
         {"info", "dump", "get", "set", "adjust", "colortemp", "colormode", "power-save", "input",
          "detection", "beep", "moire", "degauss", "autosize", "reset", "store", "watch", "help"}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(general.out.contains(QString("\n  %1 ").arg(command)));
        const auto help = cli.RunRaw({"--port", "/nonexistent/tty", "help", command});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith(QString("Usage: qelt32ctl [OPTIONS] %1").arg(command)));
        EXPECT_EQ(cli.RunRaw({command, "--help"}).out, help.out);
        EXPECT_EQ(cli.RunRaw({command, "-h"}).out, help.out);
    }
    EXPECT_TRUE(cli.Sim().RequestLog().empty());
    EXPECT_EQ(cli.RunRaw({"help", "nope"}).status, 2);
}

TEST(CliStatus, BadCommandLinesEndWithStatusTwoAndOneLine) {
    CCliRunner cli;
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"nope"}, QStringList{"--bogus", "info"},
          QStringList{"--port", "/dev/null", "--ports", "a,b", "info"},
          QStringList{"--simulate=nosuch", "info"}, QStringList{"--ports", ",,,", "info"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto result = cli.RunRaw(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.isEmpty());
        ASSERT_EQ(result.ErrLines().size(), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith("qelt32ctl: "));
    }
}

TEST(CliStatus, NoMonitorOnThePortEndsWithStatusThree) {
    CCliRunner cli;
    const auto result = cli.RunRaw({"--port", "/nonexistent/tty", "info"});
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.ErrLines(),
              (QStringList{"qelt32ctl: Monitor and the computer may not be connected correctly. "
                           "Please check the connection of the maintenance cable referring to "
                           "the User*s Manual of the Vistrel Pro.",
                           "qelt32ctl: /nonexistent/tty: No such file or directory"}));
}

TEST(CliStatus, FlatPanelsAndForeignMonitorsAreRefused) {
    CCliRunner lcd(QStringLiteral("lcd"));
    const auto panel = lcd.Run({"info"});
    EXPECT_EQ(panel.status, 3);
    EXPECT_TRUE(panel.err.contains("can not be used with the LCD display"));
    EXPECT_TRUE(panel.out.isEmpty());

    CCliRunner foreign(QStringLiteral("foreign"));
    EXPECT_EQ(foreign.Run({"dump"}).status, 3);
}

TEST(CliStatus, AValueThatDoesNotStickIsACommunicationFailure) {
    CCliRunner cli;
    cli.Sim().SetStick(2, SimStick::KeepsOld);
    const auto result = cli.Run({"set", "hsize", "150"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.ErrLines(), (QStringList{"qelt32ctl: Communication failure. Please check "
                                              "connection of the maintenance cable.",
                                              "qelt32ctl: set: hsize: the monitor did not take "
                                              "150"}));
}

TEST(CliStatus, AFailureMessageNeverEndsInSuccess) {
    CCliRunner cli;
    // What a command asks before its change, so that a fault can strike just after it.
    auto askedBefore = [&cli](const QStringList& command) {
        cli.Sim().ClearRequestLog();
        EXPECT_EQ(cli.Run(command).status, 0);
        int asked = 0;
        for (const SimRequest& request : cli.Sim().RequestLog())
            asked += request.accepted && request.command != 0x03;
        return asked;
    };
    // The first read-back is lost, the second gets through: the value is there, but the
    // user was told of a failure.
    cli.Sim().DropReplies(3, askedBefore({"get", "bright"}));
    const auto set = cli.Run({"set", "bright", "250"});
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(set.OutLines(), QStringList{"bright 250"}) << "what the monitor holds";
    EXPECT_TRUE(set.err.contains("Communication failure")) << set.err.toStdString();
    EXPECT_EQ(cli.Sim().Value(0), 250);

    // A reset whose read-back fails (the reset itself is answered by nothing).
    cli.Sim().DropReplies(3, askedBefore({"degauss"}));
    EXPECT_EQ(cli.Run({"reset", "geometry"}).status, 1);
}

TEST(CliStatus, UnknownScanFrequenciesAreShownAsUnknown) {
    CCliRunner cli;
    cli.Sim().DropRepliesOfKind(0x4E, 1);
    const auto info = cli.Run({"info"});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.OutLines().contains("fH        unknown")) << info.out.toStdString();
    EXPECT_TRUE(info.OutLines().contains("fV        unknown"));
    EXPECT_EQ(info.ErrLines(),
              QStringList{"qelt32ctl: info: the monitor did not report its scan frequencies"});

    cli.Sim().DropRepliesOfKind(0x4E, 1);
    const auto json = cli.Run({"--json", "info"});
    EXPECT_EQ(json.status, 1);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_TRUE(object["fH"].isNull());
    EXPECT_TRUE(object["fV"].isNull());
    EXPECT_EQ(object["model"].toString(), "VR-21C");
}

TEST(CliStatus, ThePortLayersReasonFollowsTheMessage) {
    CCliRunner cli;
    QTemporaryDir dir;
    const QString file = dir.filePath("plain");
    QFile(file).open(QIODevice::WriteOnly);
    for (const auto& [port, reason] :
         {std::pair<QString, QString>{"/nonexistent/tty", "/nonexistent/tty: No such file or "
                                                          "directory"},
          {file, file + ": not a serial device"},
          {"/dev/null", "/dev/null: not a serial device"},
          {dir.path(), dir.path() + ": Is a directory"}}) {
        const auto result = cli.RunRaw({"--port", port, "info"});
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.ErrLines().size(), 2) << result.err.toStdString();
        EXPECT_EQ(result.ErrLines().value(1), "qelt32ctl: " + reason);
    }
}

TEST(CliStatus, APortHeldByAnotherProgramIsNamed) {
    CCliRunner cli;
    auto holder = cli.Start({"watch"});
    CLineReader reader(*holder);
    ASSERT_TRUE(reader.WaitErr("watching the monitor", std::chrono::seconds(20)));
    const auto result = cli.Run({"info"});
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(result.ErrLines().contains(
        QStringLiteral("qelt32ctl: %1: in use by another program: qelt32ctl (pid %2)")
            .arg(cli.Server().Path())
            .arg(holder->processId())))
        << result.err.toStdString();
    holder->terminate();
    holder->waitForFinished();
}

TEST(CliStatus, ControlCharactersAreShownEscaped) {
    CCliRunner cli;
    const auto result = cli.RunRaw({"show", "/tmp/no\x1b[2Jsuch\x07"
                                            "file"});
    EXPECT_EQ(result.status, 2);
    EXPECT_FALSE(result.err.contains(QChar(0x1b)));
    EXPECT_FALSE(result.err.contains(QChar(0x07)));
    EXPECT_TRUE(result.err.contains("no\\x1b[2Jsuch\\x07file")) << result.err.toStdString();
    const auto unknown = cli.RunRaw({"get\x1b]0;title\x07"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("get\\x1b]0;title\\x07")) << unknown.err.toStdString();
}

TEST(CliStatus, OutputThatCannotBeWrittenIsAFailure) {
    const QString program = CCliRunner::Program();
    for (const QString& redirect : {QStringLiteral(">/dev/full"), QStringLiteral(">&-")}) {
        QProcess shell;
        shell.start("/bin/sh",
                    {"-c", "exec \"$0\" --simulate --sim-unpaced dump " + redirect, program});
        ASSERT_TRUE(shell.waitForFinished(60000));
        EXPECT_EQ(shell.exitCode(), 1) << redirect.toStdString();
        EXPECT_TRUE(shell.readAllStandardError().contains("cannot write to standard output"))
            << redirect.toStdString();
    }
}
