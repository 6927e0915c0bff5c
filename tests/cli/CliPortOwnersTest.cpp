// Devices that are not ours to use: a terminal someone works in, the terminal qelt32ctl
// itself runs in, a port another program holds open or has locked. Nothing of them is
// changed and nothing is sent; a device that is free is given back with its settings.

#include "CliRunner.h"
#include "platform/UucpLock.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal as a terminal window makes one: cooked, echoing, 38400 baud. The test
// holds only the window's side.
class CTerminal {
public:
    CTerminal() {
        char name[128] = {};
        int slave = -1;
        EXPECT_EQ(::openpty(&m_master, &slave, name, nullptr, nullptr), 0);
        ::fcntl(m_master, F_SETFD, FD_CLOEXEC); // the programs it starts hold only their side
        termios tio{};
        ::tcgetattr(slave, &tio);
        tio.c_lflag |= ICANON | ECHO | ISIG;
        ::cfsetspeed(&tio, B38400);
        ::tcsetattr(slave, TCSANOW, &tio);
        ::close(slave);
        path = QString::fromLocal8Bit(name);
    }
    ~CTerminal() { ::close(m_master); }

    // The settings, as a program opening the terminal now finds them.
    QByteArray Settings() const {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
        termios tio{};
        EXPECT_EQ(::tcgetattr(fd, &tio), 0);
        ::close(fd);
        return QByteArray(reinterpret_cast<const char*>(&tio), sizeof tio);
    }
    // What programs wrote to the terminal.
    QByteArray Written() const {
        QByteArray bytes;
        pollfd fd{m_master, POLLIN, 0};
        char buffer[256];
        while (::poll(&fd, 1, 0) == 1 && (fd.revents & POLLIN)) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

    QString path;

private:
    int m_master = -1;
};

// A program holding `device` open on its standard input, as a shell holds its terminal or
// socat a port.
std::unique_ptr<QProcess> Hold(const QString& device, const QString& program,
                               const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setStandardInputFile(device);
    process->start(program, arguments);
    EXPECT_TRUE(process->waitForStarted());
    return process;
}

void End(QProcess& process) {
    process.kill();
    process.waitForFinished();
}

QString Holder(const QProcess& process, const QString& name) {
    return QStringLiteral("in use by another program: %1 (pid %2)")
        .arg(name)
        .arg(process.processId());
}

} // namespace

TEST(CliPortOwners, ATerminalInUseIsNamedAndLeftAsItWas) {
    CTerminal terminal;
    const QByteArray before = terminal.Settings();
    CCliRunner cli;
    auto shell = Hold(terminal.path, QStringLiteral("sleep"), {QStringLiteral("60")});
    const auto result = cli.RunRaw({"--port", terminal.path, "info"});
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(result.err.contains(Holder(*shell, "sleep"))) << result.err.toStdString();
    EXPECT_EQ(terminal.Settings(), before);
    EXPECT_EQ(terminal.Written(), QByteArray());
    End(*shell);
}

TEST(CliPortOwners, TheTerminalItRunsInIsNeverProbed) {
    CTerminal terminal;
    const QByteArray before = terminal.Settings();
    QProcess ctl;
    ctl.setStandardInputFile(terminal.path);
    ctl.start(CCliRunner::Program(), {"--port", terminal.path, "info"});
    ASSERT_TRUE(ctl.waitForFinished(30000));
    EXPECT_EQ(ctl.exitCode(), 3);
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    EXPECT_TRUE(err.contains(terminal.path + ": is the terminal this program runs in"))
        << err.toStdString();
    EXPECT_EQ(terminal.Settings(), before);
    EXPECT_EQ(terminal.Written(), QByteArray());
}

TEST(CliPortOwners, AFreeDeviceIsGivenBackWithItsSettings) {
    CTerminal terminal;
    const QByteArray before = terminal.Settings();
    CCliRunner cli;
    const auto result = cli.RunRaw({"--port", terminal.path, "info"});
    EXPECT_EQ(result.status, 3); // nobody answered
    EXPECT_TRUE(result.err.contains("no monitor answered")) << result.err.toStdString();
    EXPECT_EQ(terminal.Written().size(), 9) << "one identity request";
    EXPECT_EQ(terminal.Settings(), before);
}

TEST(CliPortOwners, AProgramHoldingThePortIsNamedInsteadOfTheCable) {
    CCliRunner cli;
    auto socat = Hold(cli.Server().Path(), QStringLiteral("cat"), {});
    const std::size_t requests = cli.Sim().RequestLog().size();
    const auto result = cli.Run({"info"});
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(result.err.contains(Holder(*socat, "cat"))) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("no monitor answered"));
    EXPECT_FALSE(result.err.contains("connected correctly")) << "the cable is not blamed";
    EXPECT_EQ(cli.Sim().RequestLog().size(), requests) << "nothing sent";
    End(*socat);
    EXPECT_EQ(cli.Run({"info"}).status, 0);
}

TEST(CliPortOwners, UucpLockFilesOfLiveProgramsAreHonouredAndOursIsKeptWhileInUse) {
    CCliRunner cli;
    const QString lock = CUucpLock::FileFor(cli.Server().Path());
    QProcess minicom; // holds the lock only, as a program of another user seems to
    minicom.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(minicom.waitForStarted());
    QFile file(lock);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(minicom.processId()).rightJustified(10, ' ') + '\n');
    file.close();

    const auto refused = cli.Run({"info"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("in use by another program: sleep (pid %1, lock file %2)")
            .arg(minicom.processId())
            .arg(lock)))
        << refused.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(lock));

    // Once its owner is gone, the lock is stale: removed, and ours takes its place.
    End(minicom);
    auto watch = cli.Start({"watch"});
    CLineReader reader(*watch);
    ASSERT_TRUE(reader.WaitErr("watching the monitor on", std::chrono::seconds(30)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().trimmed().toLongLong(), watch->processId());
    file.close();
    watch->terminate();
    ASSERT_TRUE(watch->waitForFinished(20000));
    EXPECT_FALSE(QFileInfo::exists(lock));
}
