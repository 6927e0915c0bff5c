// Finding the monitor on a USB serial adapter when none of the four slots answers: the
// probe order, the remembered adapter, and devices that must never get a byte.

#include "DeviceFolder.h"
#include "RecordingMessages.h"
#include "TempProfile.h"

#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
class AdapterDiscoveryTest : public ::testing::Test {
protected:
    AdapterDiscoveryTest()
        : server(*SimProfile::ByName(QStringLiteral("revC")),
                 CSimServer::Options{false, dev.FilePath(QStringLiteral("ttyUSB3"))}) {}

    void SetUp() override {
        ASSERT_TRUE(dev.IsValid());
        ASSERT_TRUE(server.Start()) << qPrintable(server.Error());
        // The four slots name devices that do not exist.
        PortMap().SetAll({dev.FilePath("ttyS0"), dev.FilePath("ttyS1"), dev.FilePath("ttyS2"),
                          dev.FilePath("ttyS3")});
    }
    void TearDown() override {
        PortMap() = CPortMap();
        for (int fd : fds)
            ::close(fd);
    }
    QString ById(const QString& name) { return dev.ById(name); }
    // A terminal nobody answers on, reached as by-id link `name`; its master side.
    int SilentTerminal(const QString& name) {
        const int master = dev.AddTerminal(QStringLiteral("serial/by-id/") + name).farEnd;
        fcntl(master, F_SETFL, O_NONBLOCK);
        return master;
    }
    static ssize_t Unread(int fd) {
        char buffer[64];
        return ::read(fd, buffer, sizeof buffer);
    }
    void Configure(CMonitor& monitor) { monitor.SetTimings({150ms, 0ms, 0ms}); }

    CDeviceFolder dev;
    CTempProfile profile;
    CRecordingMessages messages;
    CSimServer server;
    std::vector<int> fds;
};
} // namespace

TEST_F(AdapterDiscoveryTest, FindsTheMonitorBehindAByIdLinkWithoutWritingToNonTerminals) {
    ASSERT_EQ(mkfifo(qPrintable(ById("usb-A_Pipe-if00")), 0600), 0);
    const int pipeReader = ::open(qPrintable(ById("usb-A_Pipe-if00")), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(pipeReader, 0);
    fds.push_back(pipeReader);
    QFile file(ById("usb-B_File-if00"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::link(server.Path(), ById("usb-C_Monitor-if00")));
    {
        CMonitor monitor;
        Configure(monitor);
        ASSERT_TRUE(monitor.Connect()) << qPrintable(monitor.ConnectFailures().join('\n'));
        EXPECT_EQ(monitor.AdapterPath(), ById("usb-C_Monitor-if00"));
        EXPECT_EQ(monitor.GetSerialNumber(), server.Monitor().Profile().serial);
        const QStringList failures = monitor.ConnectFailures();
        ASSERT_EQ(failures.size(), 6);
        EXPECT_TRUE(failures[0].endsWith(QStringLiteral("ttyS0: No such file or directory")));
        EXPECT_EQ(failures[4], ById("usb-A_Pipe-if00") + ": not a serial device (a pipe)");
        EXPECT_EQ(failures[5], ById("usb-B_File-if00") + ": not a serial device (a file)");
        EXPECT_TRUE(monitor.IsConnected());
    }
    EXPECT_EQ(Unread(pipeReader), 0) << "the pipe got no byte";
    EXPECT_EQ(QFileInfo(ById("usb-B_File-if00")).size(), 0) << "the file got no byte";
    EXPECT_EQ(Profile::GetString("Settings", "Device"), ById("usb-C_Monitor-if00"));
    EXPECT_EQ(Profile::GetInt("Settings", "com", -1), 0) << "the slot index keeps its meaning";
}

TEST_F(AdapterDiscoveryTest, TheRememberedAdapterIsTriedBeforeAnyOther) {
    const int silent = SilentTerminal(QStringLiteral("usb-A_Silent-if00"));
    ASSERT_TRUE(QFile::link(server.Path(), ById("usb-Z_Monitor-if00")));
    Profile::WriteString("Settings", "Device", ById("usb-Z_Monitor-if00"));
    CMonitor monitor;
    Configure(monitor);
    ASSERT_TRUE(monitor.Connect());
    EXPECT_TRUE(monitor.ConnectFailures().isEmpty()) << "not even the slots were opened";
    EXPECT_LT(Unread(silent), 0) << "the silent adapter got no request";
}

TEST_F(AdapterDiscoveryTest, SilentAdaptersAreNamedAndTheNodeBehindALinkIsProbedOnce) {
    const int silent = SilentTerminal(QStringLiteral("usb-A_Silent-if00"));
    ASSERT_TRUE(QFile::link(ById("usb-A_Silent-if00"), dev.FilePath("ttyUSB0")));
    server.Monitor().PullCable(); // ttyUSB3 goes away with the cable
    CMonitor monitor;
    Configure(monitor);
    EXPECT_FALSE(monitor.Connect());
    const QString failures = monitor.ConnectFailures().join('\n');
    EXPECT_TRUE(failures.contains(ById("usb-A_Silent-if00") + ": no monitor answered"))
        << qPrintable(failures);
    EXPECT_FALSE(failures.contains(dev.FilePath("ttyUSB0"))) << "ttyUSB0 is the same node";
    std::vector<std::uint8_t> request(64);
    EXPECT_GT(::read(silent, request.data(), request.size()), 0) << "asked who is there";
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(AdapterDiscoveryTest, AnAdapterThatAnswersWithGarbageIsNamedAndTheSearchGoesOn) {
    const int noisy = SilentTerminal(QStringLiteral("usb-A_Noisy-if00"));
    ASSERT_TRUE(QFile::link(server.Path(), ById("usb-B_Monitor-if00")));
    // The far end of the noisy one pours out bytes with sync marks and no frame, for as
    // long as anyone listens.
    std::atomic<bool> stop = false;
    std::thread noise([&] {
        const std::uint8_t junk[] = {0x55, 0x55, 'P', 0x00, 0x55, 0x13, 0xFF, 0x55, 0x55, 'P'};
        while (!stop) {
            // What the far end does not take is of no matter: the noise goes on.
            [[maybe_unused]] const ssize_t sent = ::write(noisy, junk, sizeof junk);
            std::this_thread::sleep_for(1ms);
        }
    });
    CMonitor monitor;
    Configure(monitor);
    const bool found = monitor.Connect();
    stop = true;
    noise.join();
    ASSERT_TRUE(found) << qPrintable(monitor.ConnectFailures().join('\n'));
    EXPECT_EQ(monitor.AdapterPath(), ById("usb-B_Monitor-if00"));
    EXPECT_TRUE(
        monitor.ConnectFailures().contains(ById("usb-A_Noisy-if00") + ": no monitor answered"))
        << qPrintable(monitor.ConnectFailures().join('\n'));
}
