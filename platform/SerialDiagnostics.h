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
    // It holds the other side of this pseudo-terminal, and this side only once: the line's
    // far end (a simulated monitor) keeping it alive, not a program that uses the line.
    bool farEnd = false;
};
// The other processes that have the device open (found through their open descriptors;
// processes of other users stay hidden unless we are root). Our own release guards
// (platform/ReleaseGuard.h) are not counted: their parent is.
std::vector<Holder> Holders(const QString& path, const QString& procDir = QStringLiteral("/proc"));
// Those of `holders` that use the line (not its far end), as "socat (pid 12), ...".
QString UsersText(const std::vector<Holder>& holders);

// Whether the open terminal `fd` is the one this program runs in (its controlling terminal
// or that of a standard stream): a user's terminal, never a port to the monitor.
bool IsOwnTerminal(int fd);

} // namespace SerialDiagnostics
