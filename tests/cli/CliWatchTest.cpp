// qelt32ctl watch: changes made on the monitor as they arrive, a flood of them, and the
// ways watching ends.

#include "CliRunner.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto kReady = 30s; // connecting over a paced line takes a few seconds
constexpr auto kArrival = 5s;

// A watch started on a monitor with real line timing, running once it said so.
struct CWatch {
    explicit CWatch(CCliRunner& cli, const QStringList& options = {},
                    const QStringList& watchOptions = {})
        : process(cli.Start(options + QStringList{"watch"} + watchOptions)), reader(*process) {
        ready = reader.WaitErr("watching the monitor on", kReady);
    }
    ~CWatch() {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
    bool Signal(int number) { return ::kill(pid_t(process->processId()), number) == 0; }
    bool Ended() { return process->waitForFinished(10000); }
    bool HasLine(const QString& line) {
        return reader.WaitOut([&](const QString& l) { return l == line; }, kArrival);
    }

    std::unique_ptr<QProcess> process;
    CLineReader reader;
    bool ready = false;
};

} // namespace

TEST(CliWatch, AKeyPressedWhileTheGeometryIsReadIsNotLost) {
    CCliRunner cli;
    CWatch watch(cli);
    ASSERT_TRUE(watch.ready) << watch.reader.ErrLines().join('\n').toStdString();
    // The timing report sets off a re-read of the geometry; the key's report is on the
    // line before any of its replies.
    cli.Sim().SetReplyDelay(20);
    cli.Sim().TimingChange(7000, 8000, 1);
    ASSERT_TRUE(cli.Sim().PanelChange(0, 33));
    EXPECT_TRUE(watch.HasLine("timing 70 kHz 80 Hz"));
    EXPECT_TRUE(watch.HasLine("bright 33")) << watch.reader.OutLines().join('\n').toStdString();
}

TEST(CliWatch, PrintsFrontPanelAndTimingChangesUntilInterrupted) {
    CCliRunner cli(QStringLiteral("revC"), true);
    CWatch watch(cli);
    ASSERT_TRUE(watch.ready) << watch.reader.ErrLines().join('\n').toStdString();

    ASSERT_TRUE(cli.Sim().PanelChange(2, 150));
    EXPECT_TRUE(watch.HasLine("hsize 150"));
    cli.Sim().TimingChange(7050, 8500, 1);
    EXPECT_TRUE(watch.HasLine("timing 70 kHz 85 Hz"));

    ASSERT_TRUE(watch.Signal(SIGINT));
    ASSERT_TRUE(watch.Ended());
    EXPECT_EQ(watch.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.process->exitCode(), 0);
    watch.reader.Collect();
    EXPECT_EQ(watch.reader.OutLines(), (QStringList{"hsize 150", "timing 70 kHz 85 Hz"}));
}

TEST(CliWatch, JsonGivesOneObjectPerChangeAndSigtermEndsCleanly) {
    CCliRunner cli(QStringLiteral("revC"), true);
    CWatch watch(cli, {"--json"});
    ASSERT_TRUE(watch.ready);

    ASSERT_TRUE(cli.Sim().PanelChange(0, 99));
    ASSERT_TRUE(watch.reader.WaitOut([](const QString&) { return true; }, kArrival));
    cli.Sim().TimingChange(6840, 7500, 1);
    ASSERT_TRUE(
        watch.reader.WaitOut([](const QString& l) { return l.contains("timing"); }, kArrival));
    const QStringList lines = watch.reader.OutLines();
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject item = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    EXPECT_EQ(item["event"].toString(), "item");
    EXPECT_EQ(item["item"].toInt(), 0);
    EXPECT_EQ(item["name"].toString(), "bright");
    EXPECT_EQ(item["value"].toInt(), 99);
    const QJsonObject timing = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(timing["event"].toString(), "timing");
    EXPECT_EQ(timing["fH"].toInt(), 68);
    EXPECT_EQ(timing["fV"].toInt(), 75);

    ASSERT_TRUE(watch.Signal(SIGTERM));
    ASSERT_TRUE(watch.Ended());
    EXPECT_EQ(watch.process->exitCode(), 0);
}

TEST(CliWatch, AHeldKeyIsFollowedToTheLastValueInOrder) {
    CCliRunner cli(QStringLiteral("revC"), true);
    CWatch watch(cli);
    ASSERT_TRUE(watch.ready);

    // A key held for 2 s: one report every 20 ms.
    constexpr int kReports = 100;
    auto next = std::chrono::steady_clock::now();
    for (int value = 0; value < kReports; ++value) {
        ASSERT_TRUE(cli.Sim().PanelChange(0, std::uint16_t(value)));
        next += 20ms;
        std::this_thread::sleep_until(next);
    }
    ASSERT_TRUE(watch.HasLine(QString("bright %1").arg(kReports - 1)));

    QStringList expected;
    for (int value = 0; value < kReports; ++value)
        expected << QString("bright %1").arg(value);
    EXPECT_EQ(watch.reader.OutLines(), expected);
}

TEST(CliWatch, APulledCableEndsWatchingWithAReasonAndStatusOne) {
    CCliRunner cli(QStringLiteral("revC"), true);
    CWatch watch(cli);
    ASSERT_TRUE(watch.ready);

    cli.Sim().PullCable();
    ASSERT_TRUE(watch.Ended()) << "watch did not notice the cable";
    EXPECT_EQ(watch.process->exitCode(), 1);
    watch.reader.Collect();
    EXPECT_TRUE(watch.reader.ErrLines().last().contains("lost the monitor"))
        << watch.reader.ErrLines().join('\n').toStdString();
}

TEST(CliWatch, FollowPrintsTheLostLinkAndGoesOnWithTheMonitorOnceItIsBack) {
    CCliRunner cli;
    CWatch watch(cli, {"--json"}, {"--follow"});
    ASSERT_TRUE(watch.ready) << watch.reader.ErrLines().join('\n').toStdString();
    const QString link = cli.Server().Path();
    auto startsWith = [&](const char* head) {
        return watch.reader.WaitOut([&](const QString& l) { return l.startsWith(head); }, 20s);
    };

    cli.Sim().PullCable();
    ASSERT_TRUE(startsWith(R"({"event":"disconnected","reason":")"))
        << watch.reader.OutLines().join('\n').toStdString();
    cli.Sim().Replug();
    ASSERT_TRUE(startsWith(R"({"event":"connected")"))
        << watch.reader.ErrLines().join('\n').toStdString();
    ASSERT_TRUE(cli.Sim().PanelChange(0, 33));
    EXPECT_TRUE(watch.HasLine(R"({"event":"item","item":0,"name":"bright","value":33})"))
        << watch.reader.OutLines().join('\n').toStdString();
    const QStringList lines = watch.reader.OutLines();
    EXPECT_EQ(lines.filter("connected").size(), 2) << "one line each way";
    EXPECT_TRUE(lines.contains(QStringLiteral(R"({"event":"connected","port":"%1"})").arg(link)));

    ASSERT_TRUE(watch.Signal(SIGTERM));
    ASSERT_TRUE(watch.Ended());
    EXPECT_EQ(watch.process->exitCode(), 0);
}

TEST(CliWatch, FollowIsTheOnlyWordItTakes) {
    CCliRunner cli;
    const auto result = cli.Run({"watch", "--folow"});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("takes only --follow")) << result.err.toStdString();
}
