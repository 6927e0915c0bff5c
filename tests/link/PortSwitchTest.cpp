// Moving to another device while the program runs: the new device is opened and asked
// first, beside the link in use, and only a monitor that answers and is read takes its place.

#include "EventLoop.h"
#include "SimLinkFixture.h"

#include "platform/PosixSerialPort.h"
#include "platform/Profile.h"

#include <QFile>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
constexpr int kHSize = 2;

class PortSwitchTest : public SimLinkFixture {
protected:
    PortSwitchTest()
        : other(*SimProfile::ByName(QStringLiteral("tr4427")),
                CSimServer::Options{false, linkDir.filePath(QStringLiteral("other"))}) {}
    void SetUp() override {
        SimLinkFixture::SetUp();
        ASSERT_TRUE(other.Start()) << qPrintable(other.Error());
        ASSERT_TRUE(Start());
        ASSERT_TRUE(monitor.CreateWindow());
        first = server.Path();
        QObject::connect(&monitor, &CMonicom::connectionChanged, [this] { ++stateChanges; });
    }
    // The link in use still reaches the first monitor: a change arrives there, and a change
    // made with its own keys reaches the controller through the watcher.
    void ExpectTheFirstLinkWorks() {
        EXPECT_EQ(monitor.DevicePath(), first);
        EXPECT_EQ(monitor.GetSerialNumber(), Sim().Profile().serial);
        const std::uint16_t next = monitor.Item(kHSize).current == 90 ? 91 : 90;
        EXPECT_TRUE(monitor.WriteItem(kHSize, next));
        EXPECT_TRUE(ProcessUntil([&] { return Sim().Value(kHSize) == next; }, 20s));
        ASSERT_TRUE(Sim().PanelChange(Items::Bright, 61));
        EXPECT_TRUE(ProcessUntil([&] { return monitor.Item(Items::Bright).current == 61; }, 20s));
    }
    // Whether a port of our own could claim `path` now (nobody holds it).
    static bool Free(const QString& path) {
        CPosixSerialPort port;
        return port.Open(path);
    }

    CSimServer other;
    QString first;
    int stateChanges = 0;
};
} // namespace

TEST_F(PortSwitchTest, TheNewMonitorIsAskedBesideTheLinkAndThenTakesItsPlace) {
    other.Monitor().SetValue(kHSize, 17);
    PortTrial trial = monitor.TryDevice(other.Path());
    ASSERT_TRUE(trial) << qPrintable(monitor.OpenFailure());
    EXPECT_EQ(trial.identity.serial, other.Monitor().Profile().serial);
    EXPECT_TRUE(monitor.IsConnected());
    ExpectTheFirstLinkWorks();
    EXPECT_FALSE(Free(other.Path())) << "the trial holds the new device";

    ASSERT_TRUE(monitor.SwitchTo(std::move(trial)));
    EXPECT_EQ(monitor.DevicePath(), other.Path());
    EXPECT_EQ(monitor.GetSerialNumber(), other.Monitor().Profile().serial);
    EXPECT_EQ(monitor.Item(kHSize).current, 17);
    for (int item = 0; item < Items::kCount; ++item) {
        if (!monitor.IsAvailable(item))
            continue;
        EXPECT_EQ(monitor.Item(item).current, other.Monitor().Value(item)) << "item " << item;
    }
    EXPECT_FALSE(monitor.IsModified()) << "what was read is what the new monitor holds";
    EXPECT_TRUE(Free(first)) << "the old device is given back";
    EXPECT_EQ(monitor.AdapterPath(), other.Path());
    // Changes go to the new monitor, and its own keys are followed.
    const int oldSets = Sim().SetValueCount(kHSize);
    EXPECT_TRUE(monitor.WriteItem(kHSize, 23));
    EXPECT_TRUE(ProcessUntil([&] { return other.Monitor().Value(kHSize) == 23; }, 20s));
    EXPECT_EQ(Sim().SetValueCount(kHSize), oldSets);
    ASSERT_TRUE(other.Monitor().PanelChange(Items::Bright, 71));
    EXPECT_TRUE(ProcessUntil([&] { return monitor.Item(Items::Bright).current == 71; }, 20s));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PortSwitchTest, ADeviceWithoutOurMonitorLeavesTheLinkAsItWas) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile(file).open(QIODevice::WriteOnly);
    int master = -1, slave = -1;
    char node[128] = {};
    ASSERT_EQ(openpty(&master, &slave, node, nullptr, nullptr), 0);
    struct Cases {
        QString path, reason;
    };
    for (const Cases& c : {Cases{dir.filePath(QStringLiteral("gone")), "No such file"},
                           Cases{file, "not a serial device"},
                           Cases{QString::fromLocal8Bit(node), "no monitor answered"}}) {
        const PortTrial trial = monitor.TryDevice(c.path);
        EXPECT_FALSE(trial) << qPrintable(c.path);
        EXPECT_TRUE(monitor.OpenFailure().contains(c.reason)) << qPrintable(monitor.OpenFailure());
        EXPECT_TRUE(monitor.IsConnected());
        ExpectTheFirstLinkWorks();
    }
    EXPECT_EQ(QFileInfo(file).size(), 0) << "the file got no byte";
    EXPECT_EQ(stateChanges, 0) << "the connected state never changed";
    ::close(master);
    ::close(slave);
}

TEST_F(PortSwitchTest, AMonitorThatCannotBeReadLeavesTheLinkTheValuesAndTheDevice) {
    const auto before = monitor.Item(kHSize).current;
    other.Monitor().SetValue(kHSize, before == 5 ? 6 : 5);
    PortTrial trial = monitor.TryDevice(other.Path());
    ASSERT_TRUE(trial);
    other.Monitor().DropReplies(1000);
    EXPECT_FALSE(monitor.SwitchTo(std::move(trial)));
    EXPECT_TRUE(monitor.ConnectFailures().join(' ').contains(other.Path()));
    EXPECT_EQ(monitor.Item(kHSize).current, before);
    EXPECT_FALSE(monitor.IsModified());
    EXPECT_TRUE(monitor.IsConnected());
    EXPECT_TRUE(Free(other.Path())) << "the new device is given back";
    messages.Clear();
    ExpectTheFirstLinkWorks();
    EXPECT_TRUE(monitor.AdapterPath().isEmpty()) << "the slot stays the device";
}

TEST_F(PortSwitchTest, AfterALostLinkTheChosenDeviceConnectsAgain) {
    std::vector<bool> states;
    QObject::connect(&monitor, &CMonicom::connectionChanged,
                     [&](bool connected) { states.push_back(connected); });
    Sim().PullCable();
    ASSERT_TRUE(ProcessUntil([&] { return !monitor.IsConnected(); }, 20s));
    PortTrial trial = monitor.TryDevice(other.Path());
    ASSERT_TRUE(trial);
    EXPECT_FALSE(monitor.IsConnected()) << "a trial changes nothing";
    ASSERT_TRUE(monitor.SwitchTo(std::move(trial)));
    EXPECT_TRUE(monitor.IsConnected());
    EXPECT_TRUE(monitor.LinkLostReason().isEmpty());
    EXPECT_EQ(states, (std::vector<bool>{false, true}));
    ASSERT_TRUE(other.Monitor().PanelChange(kHSize, 44));
    EXPECT_TRUE(ProcessUntil([&] { return monitor.Item(kHSize).current == 44; }, 20s));
}
