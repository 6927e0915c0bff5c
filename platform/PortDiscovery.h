#pragma once

#include <QString>

#include <vector>

// USB serial adapters, the ports most machines have today: every link in the device
// folder's serial/by-id, then each ttyUSB*/ttyACM* node that no such link reaches, in a
// stable order. The device folder is /dev unless QELT32_DEV_DIR names another (tests), and
// the kernel's device tree /sys unless QELT32_SYS_DIR does.
struct AdapterCandidate {
    QString path;    // what is opened: the by-id link where there is one (a stable name)
    QString device;  // the node it reaches ("/dev/ttyUSB0"); empty for a link to nowhere
    QString skipped; // why it is not probed (not a character device, ...); empty if probed
};

namespace PortDiscovery {
// More candidates than this are not looked at: each silent one costs a reply wait.
constexpr int kMaxCandidates = 16;

QString DeviceFolder();
QString SysFolder();
// The adapters under `deviceFolder`, by-id links first (by name), then the nodes by kind
// and number (ttyACM0, ttyACM1, ttyUSB0, ttyUSB2, ttyUSB10).
std::vector<AdapterCandidate> FindAdapters(const QString& deviceFolder = DeviceFolder());
// The by-id link that reaches the same node as `path`, or `path` itself when none does.
QString StableName(const QString& path, const QString& deviceFolder = DeviceFolder());
// "maker model" of the USB device behind a node ("FTDI FT232R USB UART"), read from the
// device tree; empty when it says nothing.
QString AdapterDescription(const QString& device, const QString& sysFolder = SysFolder());
} // namespace PortDiscovery
