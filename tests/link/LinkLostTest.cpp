// A link that goes away under the controller: the connected state follows the port, the
// watcher notices without any exchange of ours, and nothing spins.

#include "EventLoop.h"
#include "SimLinkFixture.h"

#include "link/Reconnector.h"
#include "platform/PosixSerialPort.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <optional>

using namespace std::chrono_literals;

namespace {
constexpr int kHSize = 2;

// An adapter that starts failing every read on demand while the driver still counts bytes.
class GoingBadPort : public CPosixSerialPort {
public:
    std::atomic<bool> failing = false;
    std::atomic<int> failedReads = 0;

protected:
    ssize_t ReadSome(int fd, std::uint8_t* data, std::size_t count) override {
        if (!failing)
            return CPosixSerialPort::ReadSome(fd, data, count);
        ++failedReads;
        errno = EIO;
        return -1;
    }
};

class LinkLostTest : public SimLinkFixture {
protected:
    void SetUp() override {
        SimLinkFixture::SetUp();
        QObject::connect(&monitor, &CMonicom::connectionChanged,
                         [this](bool connected) { changes.push_back(connected); });
    }
    // The controller uses `badPort` until the test ends.
    void UseGoingBadPort() { monitor.SetSerialPort(&badPort); }
    void TearDown() override {
        monitor.SetSerialPort(nullptr);
        SimLinkFixture::TearDown();
    }
    std::vector<bool> changes;
    GoingBadPort badPort;
};
} // namespace

TEST_F(LinkLostTest, ConnectedStateFollowsOpenAndClose) {
    EXPECT_FALSE(monitor.IsConnected());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(monitor.IsConnected());
    monitor.ClosePort();
    EXPECT_FALSE(monitor.IsConnected());
    EXPECT_TRUE(monitor.LinkLostReason().isEmpty()) << "closed on purpose, not lost";
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(LinkLostTest, PulledCableIsNoticedWithoutAnyExchange) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    const QString path = server.Path();
    Sim().PullCable();
    ASSERT_TRUE(ProcessUntil([&] { return !monitor.IsConnected(); }, 20s));
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(monitor.LinkLostReason().startsWith(path + ':'));
    EXPECT_TRUE(monitor.LinkLostReason().contains(QStringLiteral("hung up")))
        << qPrintable(monitor.LinkLostReason());
    EXPECT_FALSE(monitor.IsPortOpen()) << "the dead descriptor is given up";
    EXPECT_TRUE(messages.shown.empty()) << "the link itself says nothing; its users do";
    // What the monitor last held stays in the cache; nothing new is sent.
    const std::uint16_t before = monitor.Item(kHSize).current;
    EXPECT_FALSE(monitor.WriteItem(kHSize, before > 50 ? 40 : 60));
    EXPECT_EQ(monitor.Item(kHSize).current, before);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.size(), 2u) << "one lost link is reported once";
}

TEST_F(LinkLostTest, ReadErrorsWithBytesQueuedEndTheLinkOnceWithoutSpinning) {
    GoingBadPort& port = badPort;
    UseGoingBadPort();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    port.failing = true;
    ASSERT_TRUE(Sim().PanelChange(kHSize, 77));
    ASSERT_TRUE(ProcessUntil([&] { return !monitor.IsConnected(); }, 20s));
    EXPECT_TRUE(monitor.LinkLostReason().contains(QStringLiteral("Input/output error")))
        << qPrintable(monitor.LinkLostReason());
    const int reads = port.failedReads;
    ProcessUntil([] { return false; }, 300ms);
    EXPECT_EQ(port.failedReads, reads) << "nothing reads a dead port again";
    EXPECT_LE(reads, 2);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(notified.received.empty()) << "the report was never read";
}

TEST_F(LinkLostTest, ReadErrorDuringAnExchangeEndsTheLinkOnceItIsOver) {
    GoingBadPort& port = badPort;
    UseGoingBadPort();
    ASSERT_TRUE(Start());
    port.failing = true;
    EXPECT_FALSE(monitor.ReadItem(kHSize));
    EXPECT_TRUE(monitor.IsConnected()) << "the state changes between exchanges, not inside one";
    ASSERT_TRUE(ProcessUntil([&] { return !monitor.IsConnected(); }));
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(LinkLostTest, TheMonitorBackBehindTheSameLinkIsReadAgainAndWatched) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    CReconnector reconnector(monitor);
    int back = 0;
    QObject::connect(&reconnector, &CReconnector::reconnected, [&] { ++back; });
    Sim().PullCable();
    ASSERT_TRUE(ProcessUntil([&] { return reconnector.IsWaiting(); }, 20s));
    // While the cable was out, someone turned the monitor's own knobs.
    Sim().SetValue(kHSize, 33);
    Sim().SetValue(Items::Bright, 44);
    Sim().Replug();
    ASSERT_TRUE(ProcessUntil([&] { return back == 1; }, 20s));
    EXPECT_TRUE(monitor.IsConnected());
    EXPECT_FALSE(reconnector.IsWaiting());
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true}));
    ExpectCacheMatchesTheMonitor();
    EXPECT_FALSE(monitor.IsModified()) << "what was read is what the monitor holds";
    // The watcher follows the new device.
    ASSERT_TRUE(Sim().PanelChange(kHSize, 66));
    EXPECT_TRUE(ProcessUntil([&] { return monitor.Item(kHSize).current == 66; }, 20s));
    EXPECT_TRUE(messages.shown.empty());
}

// A lost link the reconnector waits on, and what it asked (serial numbers) and told
// (models) of the monitors put behind the link instead.
class LinkLostToAStrangerTest : public LinkLostTest {
protected:
    void LoseTheLink() {
        ASSERT_TRUE(Start());
        ASSERT_TRUE(monitor.CreateWindow());
        serial = monitor.GetSerialNumber();
        link = server.Path(); // the server forgets it when the cable is pulled
        reconnector.emplace(monitor);
        reconnector->SetOtherMonitorHandler([this](std::uint32_t other) {
            asked.push_back(other);
            return take;
        });
        reconnector->SetOtherModelHandler([this](const QString& model) { told.push_back(model); });
        Sim().PullCable();
        ASSERT_TRUE(ProcessUntil([&] { return reconnector->IsWaiting(); }, 20s));
    }
    // The link the monitor was lost on now leads to `device`.
    bool PutBehindTheLink(const QString& device) {
        QFile::remove(link);
        return QFile::link(device, link);
    }

    std::uint32_t serial = 0;
    QString link;
    bool take = false; // the user's answer about another monitor
    std::vector<std::uint32_t> asked;
    std::vector<QString> told;
    std::optional<CReconnector> reconnector;
};

TEST_F(LinkLostToAStrangerTest, AnotherMonitorOfTheModelIsTakenOnlyWhenTheUserSaysSo) {
    LoseTheLink();
    SimProfile twin = *SimProfile::ByName(QStringLiteral("revC"));
    twin.serial = serial + 1;
    CSimServer other(twin, CSimServer::Options{false, {}});
    ASSERT_TRUE(other.Start());
    ASSERT_TRUE(PutBehindTheLink(other.Path()));
    ASSERT_TRUE(ProcessUntil([&] { return !asked.empty(); }, 20s));
    EXPECT_EQ(asked, std::vector<std::uint32_t>{serial + 1});
    EXPECT_TRUE(told.empty());
    EXPECT_FALSE(monitor.IsConnected());
    EXPECT_EQ(monitor.GetSerialNumber(), serial) << "the lost monitor is still the one awaited";
    EXPECT_TRUE(reconnector->IsWaiting());
    // A renewed link to the same stranger is not asked about again.
    ASSERT_TRUE(PutBehindTheLink(other.Path()));
    ProcessUntil([] { return false; }, 2500ms);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(monitor.IsConnected());

    // Another one of the model, taken when the user says so, is read as at start-up.
    twin.serial = serial + 2;
    CSimServer taken(twin, CSimServer::Options{false, {}});
    ASSERT_TRUE(taken.Start());
    take = true;
    ASSERT_TRUE(PutBehindTheLink(taken.Path()));
    ASSERT_TRUE(ProcessUntil([&] { return monitor.IsConnected(); }, 20s));
    EXPECT_EQ(monitor.GetSerialNumber(), serial + 2);
    EXPECT_EQ(asked.size(), 2u);
}

// The windows of a run are made for one model: a monitor of another model behind the lost
// link is told of once and never taken, whatever the user would say.
TEST_F(LinkLostToAStrangerTest, AMonitorOfAnotherModelBehindTheLinkIsToldOfAndNeverTaken) {
    take = true;
    LoseTheLink();
    CSimServer other(*SimProfile::ByName(QStringLiteral("tr4427")), CSimServer::Options{false, {}});
    ASSERT_TRUE(other.Start());
    for (int plug = 0; plug < 2; ++plug) {
        ASSERT_TRUE(PutBehindTheLink(other.Path()));
        if (plug == 0)
            ASSERT_TRUE(ProcessUntil([&] { return !told.empty(); }, 20s));
        else
            ProcessUntil([] { return false; }, 2500ms);
    }
    EXPECT_EQ(told, std::vector<QString>{QStringLiteral("TR-4427")});
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(monitor.IsConnected());
    EXPECT_EQ(monitor.GetSerialNumber(), serial);
    EXPECT_TRUE(reconnector->IsWaiting());
}
