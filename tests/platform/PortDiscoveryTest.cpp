#include "platform/PortDiscovery.h"

#include "DeviceFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {
QStringList Paths(const std::vector<AdapterCandidate>& found) {
    QStringList paths;
    for (const AdapterCandidate& candidate : found)
        paths << candidate.path;
    return paths;
}
} // namespace

TEST(PortDiscovery, ByIdLinksFirstThenNodesNoLinkReachesInKindAndNumberOrder) {
    CDeviceFolder dev;
    dev.AddTerminal(QStringLiteral("ttyUSB10"));
    const QString usb2 = dev.AddTerminal(QStringLiteral("ttyUSB2")).node;
    dev.AddTerminal(QStringLiteral("ttyACM0"));
    dev.Link(QStringLiteral("serial/by-id/usb-FTDI_FT232R_A1-if00-port0"), dev.FilePath("ttyUSB2"));
    dev.Link(QStringLiteral("serial/by-id/usb-Acme_Cable_7-if00"), usb2);
    // Names that only look alike are no adapters.
    QFile(dev.FilePath("ttyUSBx")).open(QIODevice::WriteOnly);
    QFile(dev.FilePath("ttyS0")).open(QIODevice::WriteOnly);

    const auto found = PortDiscovery::FindAdapters(dev.Path());
    EXPECT_EQ(Paths(found), QStringList({dev.FilePath("serial/by-id/usb-Acme_Cable_7-if00"),
                                         dev.FilePath("serial/by-id/usb-FTDI_FT232R_A1-if00-port0"),
                                         dev.FilePath("ttyACM0"), dev.FilePath("ttyUSB10")}))
        << "ttyUSB2 is reached through its links; 10 sorts after 2 by number";
    for (const AdapterCandidate& candidate : found)
        EXPECT_TRUE(candidate.skipped.isEmpty()) << qPrintable(candidate.path);
    EXPECT_EQ(found[0].device, usb2);
    EXPECT_EQ(PortDiscovery::StableName(dev.FilePath("ttyUSB2"), dev.Path()), found[0].path);
    EXPECT_EQ(PortDiscovery::StableName(dev.FilePath("ttyACM0"), dev.Path()),
              dev.FilePath("ttyACM0"))
        << "a node without a link is its own stable name";
}

TEST(PortDiscovery, WhatIsNoTerminalDeviceIsListedWithItsReasonAndNeverOpened) {
    CDeviceFolder dev;
    QFile file(dev.FilePath("ttyUSB0"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir(dev.Path()).mkdir(QStringLiteral("ttyUSB1")));
    ASSERT_EQ(mkfifo(qPrintable(dev.FilePath("ttyACM1")), 0600), 0);
    dev.Link(QStringLiteral("serial/by-id/usb-Gone-if00"), dev.FilePath("ttyUSB9"));

    const auto found = PortDiscovery::FindAdapters(dev.Path());
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].skipped, QStringLiteral("points nowhere"));
    EXPECT_TRUE(found[0].device.isEmpty());
    EXPECT_EQ(found[1].skipped, QStringLiteral("not a serial device (a pipe)"));
    EXPECT_EQ(found[2].skipped, QStringLiteral("not a serial device (a file)"));
    EXPECT_EQ(found[3].skipped, QStringLiteral("not a serial device (a folder)"));
}

TEST(PortDiscovery, AThousandLinksAreCutToTheBound) {
    CDeviceFolder dev;
    for (int i = 0; i < 1000; ++i)
        dev.Link(QStringLiteral("serial/by-id/usb-%1").arg(i, 4, 10, QLatin1Char('0')),
                 QStringLiteral("/nonexistent"));
    const auto found = PortDiscovery::FindAdapters(dev.Path());
    ASSERT_EQ(int(found.size()), PortDiscovery::kMaxCandidates);
    EXPECT_TRUE(found.front().path.endsWith(QStringLiteral("usb-0000")));
}

TEST(PortDiscovery, MakerAndModelComeFromTheUsbDeviceAboveTheNode) {
    QTemporaryDir sys;
    QDir root(sys.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("devices/usb1/1-2/1-2:1.0/ttyUSB0")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("class/tty/ttyUSB0")));
    ASSERT_TRUE(QFile::link(sys.filePath("devices/usb1/1-2/1-2:1.0/ttyUSB0"),
                            sys.filePath("class/tty/ttyUSB0/device")));
    auto write = [&](const char* name, const char* text) {
        QFile file(sys.filePath(QStringLiteral("devices/usb1/1-2/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("manufacturer", "FTDI\n");
    write("product", "FT232R USB UART\n");
    EXPECT_EQ(PortDiscovery::AdapterDescription(QStringLiteral("/dev/ttyUSB0"), sys.path()),
              QStringLiteral("FTDI FT232R USB UART"));
    EXPECT_TRUE(
        PortDiscovery::AdapterDescription(QStringLiteral("/dev/ttyUSB1"), sys.path()).isEmpty());
}
