// What each qelt32ctl command sends: the identity check, then only the requests for what
// the command shows or uses; the whole monitor only for the commands whose rules need it.

#include "CliRunner.h"

#include "link/Monitor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The request log as short words: "id" identify, "timing", "mem" a memory read, "?NAME" an
// item query, "NAME=VALUE" a set-value, "cmdXX" any other command.
QStringList Requests(const CSimMonitor& sim) {
    QStringList words;
    for (const SimRequest& request : sim.RequestLog()) {
        auto name = [&] {
            const int item = Items::FromCode(request.data.at(0));
            return item < 0 ? QStringLiteral("code%1").arg(request.data[0], 2, 16, QChar('0'))
                            : QString::fromLatin1(Items::Info(item).name);
        };
        switch (request.command) {
        case 0xF1:
            words << QStringLiteral("id");
            break;
        case 0x07:
            words << QStringLiteral("timing");
            break;
        case 0x59:
            words << QStringLiteral("mem");
            break;
        case 0x01:
            words << "?" + name();
            break;
        case 0x03:
            words << QStringLiteral("%1=%2").arg(name()).arg(request.data.at(1) << 8 |
                                                             request.data.at(2));
            break;
        default:
            words << QStringLiteral("cmd%1").arg(request.command, 2, 16, QChar('0'));
        }
    }
    return words;
}

// Runs one command on a fresh log and gives what the monitor received.
QStringList RequestsOf(CCliRunner& cli, const QStringList& arguments, int expectedStatus = 0) {
    cli.Sim().ClearRequestLog();
    const auto result = cli.Run(arguments);
    EXPECT_EQ(result.status, expectedStatus)
        << arguments.join(' ').toStdString() << ": " << result.err.toStdString();
    return Requests(cli.Sim());
}

QString Name(int item) {
    return QString::fromLatin1(Items::Info(item).name);
}

QStringList Queries(int first, int last) {
    QStringList words;
    for (int item = first; item <= last; ++item)
        words << "?" + Name(item);
    return words;
}

} // namespace

TEST(CliRequests, ReadingCommandsAskForTheirItemsOnly) {
    CCliRunner cli;
    cli.Sim().SetValue(Items::Bright, 77);
    EXPECT_EQ(RequestsOf(cli, {"get", "bright"}), (QStringList{"id", "?bright"}));
    // An item named twice is asked for once; numbers and names are the same items.
    EXPECT_EQ(RequestsOf(cli, {"get", "bright", "3", "bright"}),
              (QStringList{"id", "?bright", "?hpos"}));
    EXPECT_EQ(RequestsOf(cli, {"info"}), (QStringList{"id", "timing"}));
    EXPECT_EQ(RequestsOf(cli, {"power-save"}), (QStringList{"id", "?" + Name(Items::ModeWord)}));
    EXPECT_EQ(RequestsOf(cli, {"colormode"}),
              (QStringList{"id", "?" + Name(Items::ModeWord), "?" + Name(Items::ColorMode)}));
    EXPECT_EQ(RequestsOf(cli, {"moire"}),
              (QStringList{"id", "?" + Name(Items::ModeWord), "?hmoire", "?vmoire"}));
    // The output is what it was when the whole monitor was read.
    EXPECT_EQ(cli.Run({"get", "bright"}).OutLines(), QStringList{"bright 77"});
}

TEST(CliRequests, TheColourTemperatureReadsTheColourGroupAndTheTables) {
    CCliRunner cli;
    const QStringList sent = RequestsOf(cli, {"colortemp"});
    const QStringList head{"id", "?" + Name(Items::ModeWord), "?" + Name(Items::ColorPreset)};
    ASSERT_GE(sent.size(), head.size() + 7);
    EXPECT_EQ(sent.mid(0, 3), head);
    EXPECT_EQ(sent.mid(3, 7), Queries(23, 29));
    // Three tables of four reads and seven reads of breakpoints, nothing else.
    EXPECT_EQ(sent.mid(10), QStringList(19, QStringLiteral("mem")));
}

TEST(CliRequests, ChangingCommandsReadWhatTheyChange) {
    CCliRunner cli;
    cli.Sim().SetValue(Items::HSize, 140);
    EXPECT_EQ(RequestsOf(cli, {"set", "hsize", "152"}),
              (QStringList{"id", "?hsize", "hsize=145", "hsize=150", "hsize=152", "?hsize"}));
    EXPECT_EQ(cli.Sim().Value(Items::HSize), 152);
    cli.Sim().SetValue(Items::HPos, 100);
    EXPECT_EQ(RequestsOf(cli, {"adjust", "hpos", "-3"}),
              (QStringList{"id", "?hpos", "hpos=97", "?hpos"}));
    EXPECT_EQ(RequestsOf(cli, {"degauss"}), (QStringList{"id", "code00=0"}));
    EXPECT_EQ(RequestsOf(cli, {"store"}), (QStringList{"id", "cmd0c"}));
    // The reset reads back the group it put back to the factory values, and nothing else.
    EXPECT_EQ(RequestsOf(cli, {"reset", "geometry"}),
              (QStringList{"id", "cmd0a"} + Queries(Items::HSize, 15)));
    const QString modeWord = Name(Items::ModeWord);
    const QStringList beep = RequestsOf(cli, {"beep", "off"});
    ASSERT_EQ(beep.size(), 4);
    EXPECT_EQ(beep[1], "?" + modeWord);
    EXPECT_TRUE(beep[2].startsWith(modeWord + "=")) << beep[2].toStdString();
    EXPECT_EQ(beep[3], "?" + modeWord); // the read-back of a mode item
}

TEST(CliRequests, CommandsOnTheWholeStateReadItAll) {
    CCliRunner cli;
    const QStringList everything = QStringList{"id", "timing"} + Queries(30, 34) + Queries(2, 15) +
                                   Queries(16, 22) + Queries(23, 29) + Queries(0, 1) +
                                   QStringList(19, QStringLiteral("mem"));
    EXPECT_EQ(everything.size(), 56);
    EXPECT_EQ(RequestsOf(cli, {"dump"}), everything);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.qlt"));
    EXPECT_EQ(RequestsOf(cli, {"save", file}), everything);
    EXPECT_EQ(RequestsOf(cli, {"diff", file}), everything);
}

TEST(CliRequests, AModelWithoutTopAndBottomConvergenceRefusesThemReadSingly) {
    CCliRunner cli(QStringLiteral("tr5513"));
    const auto result = cli.Run({"set", "20", "10"});
    EXPECT_EQ(result.status, 2) << result.err.toStdString();
    EXPECT_EQ(cli.SetValueFrames(), 0);
}

TEST(CliRequests, TheWatchAsksForNothingButTheIdentity) {
    CCliRunner cli;
    auto watch = cli.Start({"watch"});
    CLineReader reader(*watch);
    ASSERT_TRUE(reader.WaitErr(QStringLiteral("watching the monitor"), std::chrono::seconds(30)));
    EXPECT_EQ(Requests(cli.Sim()), QStringList{"id"});
    watch->terminate();
    EXPECT_TRUE(watch->waitForFinished(30000));
}
