#include "platform/SerialDiagnostics.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(SerialDiagnostics, ListsPortsWithAUartAndNamesTheUsbAdapter) {
    QTemporaryDir root;
    const QString dev = root.filePath("dev"), sys = root.filePath("sys");
    for (const char* name : {"ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB0", "ttyACM0", "tty1"})
        Write(dev + '/' + name, {});
    Write(sys + "/ttyS1/type", "0\n"); // no UART behind it
    Write(sys + "/ttyS0/type", "4\n");
    // A USB adapter: the tty's device lies below the USB device that names it.
    const QString usb = root.filePath("bus/usb1/1-1");
    Write(usb + "/idVendor", "0403\n");
    Write(usb + "/idProduct", "6001\n");
    Write(usb + "/manufacturer", "FTDI\n");
    Write(usb + "/product", "FT232R USB UART\n");
    QDir().mkpath(usb + "/1-1:1.0/ttyUSB0");
    QDir().mkpath(sys + "/ttyUSB0");
    ASSERT_TRUE(QFile::link(usb + "/1-1:1.0/ttyUSB0", sys + "/ttyUSB0/device"));
    // Without manufacturer and product texts, the numbers stand in.
    const QString acm = root.filePath("bus/usb1/1-2");
    Write(acm + "/idVendor", "2341\n");
    Write(acm + "/idProduct", "0043\n");
    QDir().mkpath(acm + "/1-2:1.0");
    QDir().mkpath(sys + "/ttyACM0");
    ASSERT_TRUE(QFile::link(acm + "/1-2:1.0", sys + "/ttyACM0/device"));

    const auto devices = SerialDiagnostics::ListDevices(dev, sys);
    QStringList paths;
    for (const auto& device : devices)
        paths << QFileInfo(device.path).fileName();
    EXPECT_EQ(paths, (QStringList{"ttyS0", "ttyS2", "ttyS10", "ttyACM0", "ttyUSB0"}));
    EXPECT_TRUE(devices[0].usbVendor.isEmpty());
    EXPECT_EQ(devices[3].usbVendor, "vendor 2341");
    EXPECT_EQ(devices[3].usbModel, "product 0043");
    EXPECT_EQ(devices[4].usbVendor, "FTDI");
    EXPECT_EQ(devices[4].usbModel, "FT232R USB UART");
}

TEST(SerialDiagnostics, AccessNamesTheGroupAndHoldersAreFoundByTheirDescriptors) {
    QTemporaryDir root;
    const QString device = root.filePath("ttyUSB0");
    Write(device, {});
    const auto access = SerialDiagnostics::CheckAccess(device);
    EXPECT_TRUE(access.exists);
    EXPECT_TRUE(access.allowed);
    EXPECT_FALSE(access.group.isEmpty());
    EXPECT_FALSE(SerialDiagnostics::CheckAccess(root.filePath("none")).exists);

    // A /proc of two processes, one holding the device (through a link to it, as ours has).
    const QString proc = root.filePath("proc");
    QDir().mkpath(proc + "/4242/fd");
    QDir().mkpath(proc + "/77/fd");
    Write(proc + "/4242/comm", "ModemManager\n");
    Write(proc + "/77/comm", "bash\n");
    ASSERT_TRUE(QFile::link(device, proc + "/4242/fd/9"));
    ASSERT_TRUE(QFile::link(root.filePath("other"), proc + "/77/fd/0"));
    const QString link = root.filePath("link");
    ASSERT_TRUE(QFile::link(device, link));
    const auto holders = SerialDiagnostics::Holders(link, proc);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, 4242);
    EXPECT_EQ(holders[0].program, "ModemManager");
}
