#pragma once

#include <QString>

#include <vector>

// What stops people on real hardware before any frame is sent: a device that is not there,
// one the user may not open, one another program holds. Looked up in /dev, sysfs and /proc
// (the folders are parameters so that tests can give their own).
namespace SerialDiagnostics {

struct Device {
    QString path;      // /dev/ttyUSB0
    QString usbVendor; // the USB adapter's maker, empty when the port is not on USB
    QString usbModel;
};
// The serial devices present: /dev/ttyS* with a UART behind them, /dev/ttyUSB*, /dev/ttyACM*.
std::vector<Device> ListDevices(const QString& devDir = QStringLiteral("/dev"),
                                const QString& sysTtyDir = QStringLiteral("/sys/class/tty"));

struct Access {
    bool exists = false;
    bool allowed = false; // may be opened for reading and writing by this user
    QString group;        // the device's group (where membership would allow it)
};
Access CheckAccess(const QString& path);

struct Holder {
    qint64 pid = 0;
    QString program;
};
// The other processes that have the device open (found through their open descriptors;
// processes of other users stay hidden unless we are root).
std::vector<Holder> Holders(const QString& path, const QString& procDir = QStringLiteral("/proc"));

} // namespace SerialDiagnostics
