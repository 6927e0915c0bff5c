#include "platform/SerialDiagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

QString ReadLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readLine()).trimmed();
}

// The USB device a tty hangs off: the nearest folder above it that names a USB vendor.
void FindUsbAdapter(const QString& sysTty, SerialDiagnostics::Device& device) {
    QDir dir(QFileInfo(sysTty + QStringLiteral("/device")).canonicalFilePath());
    if (dir.path().isEmpty() || dir.path() == QStringLiteral("."))
        return;
    for (int depth = 0; depth < 8 && !dir.isRoot(); ++depth, dir.cdUp()) {
        if (!dir.exists(QStringLiteral("idVendor")))
            continue;
        const QString vendorId = ReadLine(dir.filePath(QStringLiteral("idVendor")));
        const QString productId = ReadLine(dir.filePath(QStringLiteral("idProduct")));
        device.usbVendor = ReadLine(dir.filePath(QStringLiteral("manufacturer")));
        device.usbModel = ReadLine(dir.filePath(QStringLiteral("product")));
        if (device.usbVendor.isEmpty())
            device.usbVendor = QStringLiteral("vendor %1").arg(vendorId);
        if (device.usbModel.isEmpty())
            device.usbModel = QStringLiteral("product %1").arg(productId);
        return;
    }
}

} // namespace

namespace SerialDiagnostics {

std::vector<Device> ListDevices(const QString& devDir, const QString& sysTtyDir) {
    std::vector<Device> devices;
    const QStringList names = QDir(devDir).entryList(
        {QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
        QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString sys = sysTtyDir + '/' + name;
        // The kernel makes a ttyS node for every possible legacy port; type 0 has no UART.
        if (name.startsWith(QStringLiteral("ttyS")) &&
            ReadLine(sys + QStringLiteral("/type")) == QStringLiteral("0"))
            continue;
        Device device{devDir + '/' + name, {}, {}};
        FindUsbAdapter(sys, device);
        devices.push_back(device);
    }
    // ttyS2 before ttyS10.
    std::sort(devices.begin(), devices.end(), [](const Device& a, const Device& b) {
        return a.path.size() != b.path.size() ? a.path.size() < b.path.size() : a.path < b.path;
    });
    return devices;
}

Access CheckAccess(const QString& path) {
    Access access;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return access;
    access.exists = true;
    access.allowed = ::access(native.constData(), R_OK | W_OK) == 0;
    if (const group* g = ::getgrgid(st.st_gid))
        access.group = QString::fromLocal8Bit(g->gr_name);
    else
        access.group = QString::number(st.st_gid);
    return access;
}

std::vector<Holder> Holders(const QString& path, const QString& procDir) {
    std::vector<Holder> holders;
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return holders;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList pids = QDir(procDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : pids) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (!number || pid == self)
            continue;
        const QDir fds(procDir + '/' + name + QStringLiteral("/fd"));
        const QStringList entries =
            fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(entries.begin(), entries.end(), [&](const QString& fd) {
            return QFileInfo(fds.filePath(fd)).symLinkTarget() == device;
        });
        if (holds)
            holders.push_back({pid, ReadLine(procDir + '/' + name + QStringLiteral("/comm"))});
    }
    return holders;
}

} // namespace SerialDiagnostics
