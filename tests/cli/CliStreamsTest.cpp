// "-" as a settings file: standard output for save, standard input for show, load and diff.

#include "CliRunner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs a shell line with qelt32ctl as "$0" on the simulated monitor as "$1".
struct ShellResult {
    int status = -1;
    QByteArray err;
};
ShellResult Shell(CCliRunner& cli, const QString& line) {
    QProcess shell;
    shell.start("/bin/sh", {"-c", line, CCliRunner::Program(), cli.Server().Path()});
    if (!shell.waitForFinished(60000)) {
        shell.kill();
        shell.waitForFinished();
    }
    return {shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1,
            shell.readAllStandardError()};
}

} // namespace

TEST(CliStreams, SaveWritesToStandardOutputAndShowLoadDiffReadStandardInput) {
    CCliRunner cli;
    QTemporaryDir dir;
    const QString path = dir.filePath("evening.qlt");
    cli.Sim().SetValue(2, 141);
    ASSERT_EQ(cli.Run({"save", path}).status, 0);
    const auto saved = cli.Run({"save", "-"});
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.outBytes, file.readAll()) << "the same 82 bytes as a saved file";
    EXPECT_TRUE(saved.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists("-"));

    const auto fromFile = cli.RunRaw({"show", path});
    const auto fromInput = cli.RunRaw({"show", "-"}, saved.outBytes);
    ASSERT_EQ(fromInput.status, 0) << fromInput.err.toStdString();
    EXPECT_EQ(fromInput.out, fromFile.out);

    cli.Sim().SetValue(2, 120);
    const auto diff = cli.Run({"diff", "-"}, saved.outBytes);
    ASSERT_EQ(diff.status, 0) << diff.err.toStdString();
    EXPECT_TRUE(diff.OutLines().contains("hsize 141 -> 120")) << diff.out.toStdString();

    const auto loaded = cli.Run({"load", "-", "--groups", "screen"}, saved.outBytes);
    ASSERT_EQ(loaded.status, 0) << loaded.err.toStdString();
    EXPECT_EQ(loaded.out.trimmed(), "loaded -");
    EXPECT_EQ(cli.Sim().Value(2), 141);
}

TEST(CliStreams, BadStandardInputIsRefusedWithStatusTwoAndNothingIsSent) {
    CCliRunner cli;
    const int before = cli.ChangingFrames();
    const auto empty = cli.Run({"load", "-"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_TRUE(empty.err.contains("standard input is empty")) << empty.err.toStdString();

    const QByteArray garbage("\x07\x00\xff\xfe binary garbage \x00\x01", 22);
    const auto binary = cli.Run({"load", "-"}, garbage);
    EXPECT_EQ(binary.status, 2);
    EXPECT_FALSE(binary.err.isEmpty());
    // A valid version field followed by too few values is cut short.
    const auto cut = cli.Run({"load", "-"}, QByteArray("\x01\x00\x23\x01", 4));
    EXPECT_EQ(cut.status, 2);
    const auto huge = cli.Run({"load", "-"}, QByteArray((1 << 20) + 1, '\x01'));
    EXPECT_EQ(huge.status, 2);
    EXPECT_TRUE(huge.err.contains("more than")) << huge.err.toStdString();
    EXPECT_EQ(cli.ChangingFrames(), before);

    EXPECT_EQ(cli.RunRaw({"show", "-"}).status, 2);
    EXPECT_EQ(cli.RunRaw({"show", "-"}, garbage).status, 2);
    EXPECT_EQ(cli.Run({"diff", "-"}).status, 2);
}

TEST(CliStreams, SaveToAnOutputThatTakesNothingFailsWithStatusOne) {
    CCliRunner cli;
    const auto full = Shell(cli, "exec \"$0\" --port \"$1\" save - >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.err.contains("No space left")) << full.err.toStdString();
    EXPECT_EQ(full.err.count("standard output"), 1) << "told once: " << full.err.toStdString();

    const auto closed = Shell(cli, "exec \"$0\" --port \"$1\" save - >&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_TRUE(closed.err.contains("cannot write to standard output")) << closed.err.toStdString();

    // A reader that went away: a failure, not a death by SIGPIPE.
    // A reader that went away (before the monitor was read): a failure, not a death by
    // SIGPIPE.
    const auto gone = Shell(cli, "( \"$0\" --port \"$1\" save -; echo \"status $?\" >&2 ) | true");
    EXPECT_TRUE(gone.err.contains("status 1") || gone.err.contains("status 0"))
        << gone.err.toStdString();

    const auto json = cli.Run({"--json", "save", "-"});
    EXPECT_EQ(json.status, 2);
    EXPECT_TRUE(json.outBytes.isEmpty());
}
