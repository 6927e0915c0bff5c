// qelt32ctl stopped by a signal in the middle of a command: what it says it did, the status
// it ends with, and a port that the next program, an ordinary user's, can use at once.

#include "CliRunner.h"
#include "link/Monitor.h"
#include "platform/UucpLock.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace {

using namespace std::chrono_literals;

template <typename Done> bool WaitUntil(Done done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

struct Stopped {
    int status = -1; // -1: ended by the signal itself
    QString err;
};

// Starts the command, lets it send its first change, makes the monitor stop answering so
// that the command is surely still at work, and sends `signal`.
Stopped StopMidway(CCliRunner& cli, const QStringList& arguments, int signal) {
    const int before = cli.SetValueFrames();
    auto process = cli.Start(arguments);
    EXPECT_TRUE(WaitUntil([&] { return cli.SetValueFrames() > before; }, 30s));
    cli.Sim().DropReplies(1000);
    ::kill(pid_t(process->processId()), signal);
    EXPECT_TRUE(process->waitForFinished(20000)) << "a stopped command must end promptly";
    // What was on the line reaches the monitor, still unanswered, so that no late reply
    // meets the next program.
    std::size_t requests = cli.Sim().RequestLog().size();
    EXPECT_TRUE(WaitUntil(
        [&, quietSince = std::chrono::steady_clock::now()]() mutable {
            if (const std::size_t now = cli.Sim().RequestLog().size(); now != requests) {
                requests = now;
                quietSince = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - quietSince > 300ms;
        },
        10s));
    cli.Sim().DropReplies(0);
    Stopped stopped;
    if (process->exitStatus() == QProcess::NormalExit)
        stopped.status = process->exitCode();
    stopped.err = QString::fromUtf8(process->readAllStandardError());
    return stopped;
}

// Every "NAME VALUE (was OLD)" of the report holds on the monitor; their number.
int CheckReportedChanges(CCliRunner& cli, const QString& report) {
    static const QRegularExpression change(QStringLiteral("(\\w+) (\\d+) \\(was (\\d+)\\)"));
    int count = 0;
    for (auto it = change.globalMatch(report); it.hasNext(); ++count) {
        const auto match = it.next();
        const int item = Items::FromName(match.captured(1));
        EXPECT_GE(item, 0) << match.captured(0).toStdString();
        EXPECT_EQ(cli.Sim().Value(item), match.captured(2).toUInt())
            << match.captured(0).toStdString();
    }
    return count;
}

// The next program, run by an ordinary user, finds the port free and the monitor as left.
void ExpectPortFreeForTheNextUser(CCliRunner& cli) {
    const QString lock = CUucpLock::FileFor(cli.Server().Path());
    EXPECT_TRUE(WaitUntil([&] { return !QFileInfo::exists(lock); }, 10s)) << lock.toStdString();
    cli.RunAsOrdinaryUser();
    const auto next = cli.Run({"get", "hsize"});
    EXPECT_EQ(next.status, 0) << next.err.toStdString();
    EXPECT_EQ(next.out.trimmed(), QStringLiteral("hsize %1").arg(cli.Sim().Value(Items::HSize)));
}

} // namespace

TEST(CliStop, AnInterruptedSetSaysWhatTheMonitorHoldsAndFreesThePort) {
    CCliRunner cli(QStringLiteral("revC"), true);
    cli.Sim().SetValue(Items::HSize, 200);
    const Stopped stopped = StopMidway(cli, {"set", "hsize", "20"}, SIGINT);
    EXPECT_EQ(stopped.status, 130);
    const QStringList lines = stopped.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << "only the report: " << stopped.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith("qelt32ctl: set: stopped by SIGINT before it finished; "
                                    "changed on the monitor: hsize "))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("(was 200); the port is given back"));
    EXPECT_EQ(CheckReportedChanges(cli, stopped.err), 1);
    EXPECT_LT(cli.Sim().Value(Items::HSize), 200);
    ExpectPortFreeForTheNextUser(cli);
}

TEST(CliStop, AnInterruptedLoadSaysWhatItChangedAndFreesThePort) {
    CCliRunner cli(QStringLiteral("revC"), true);
    QTemporaryDir files;
    const QString file = files.filePath("before.qlt");
    ASSERT_EQ(cli.Run({"save", file}).status, 0);
    for (int item : {Items::Bright, Items::Contrast, Items::HSize, Items::HPos, Items::VSize})
        cli.Sim().SetValue(item, 10);
    const Stopped stopped = StopMidway(cli, {"load", file}, SIGTERM);
    EXPECT_EQ(stopped.status, 143);
    EXPECT_TRUE(stopped.err.startsWith("qelt32ctl: load: stopped by SIGTERM before it finished; "
                                       "changed on the monitor: "))
        << stopped.err.toStdString();
    EXPECT_GE(CheckReportedChanges(cli, stopped.err), 1);
    ExpectPortFreeForTheNextUser(cli);
}

TEST(CliStop, WatchEndsNormallyWhenItsTerminalHangsUp) {
    CCliRunner cli;
    auto watch = cli.Start({"watch"});
    CLineReader reader(*watch);
    ASSERT_TRUE(reader.WaitErr("watching the monitor on", 30s));
    ::kill(pid_t(watch->processId()), SIGHUP);
    ASSERT_TRUE(watch->waitForFinished(20000));
    EXPECT_EQ(watch->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch->exitCode(), 0);
    reader.Collect();
    EXPECT_FALSE(reader.ErrLines().join('\n').contains("stopped")) << "no report for watch";
    ExpectPortFreeForTheNextUser(cli);
}

TEST(CliStop, AKilledCommandLeavesNoExclusiveFlagOrLockBehind) {
    CCliRunner cli(QStringLiteral("revC"), true);
    cli.Sim().SetValue(Items::HSize, 200);
    const Stopped killed = StopMidway(cli, {"set", "hsize", "20"}, SIGKILL);
    EXPECT_EQ(killed.status, -1);
    ExpectPortFreeForTheNextUser(cli);
}
