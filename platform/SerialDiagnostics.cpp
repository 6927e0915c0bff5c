#include "platform/SerialDiagnostics.h"

#include "platform/ReleaseGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// One "name:\tvalue" line of a /proc fdinfo file.
QString FdInfoField(const QString& file, const char* name) {
    QFile info(file);
    if (!info.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray prefix = QByteArray(name) + ':';
    for (QByteArray line = info.readLine(); !line.isEmpty(); line = info.readLine())
        if (line.startsWith(prefix))
            return QString::fromLatin1(line.mid(prefix.size()).trimmed());
    return QString();
}

const QString kPtsPrefix = QStringLiteral("/dev/pts/");

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
    // A pseudo-terminal's other side shows as the multiplexer, with the index in its fdinfo.
    const QString ptyIndex =
        device.startsWith(kPtsPrefix) ? device.mid(kPtsPrefix.size()) : QString();
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList pids = QDir(procDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : pids) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (!number || pid == self)
            continue;
        const QString process = procDir + '/' + name;
        const QDir fds(process + QStringLiteral("/fd"));
        int held = 0;
        bool otherSide = false;
        for (const QString& fd :
             fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
            held += target == device;
            if (!ptyIndex.isEmpty() && !otherSide && target.endsWith(QLatin1String("ptmx")))
                otherSide =
                    FdInfoField(process + QStringLiteral("/fdinfo/") + fd, "tty-index") == ptyIndex;
        }
        if (held == 0)
            continue;
        const QString program = ReadLine(process + QStringLiteral("/comm"));
        if (program == QLatin1String(CReleaseGuard::kProgramName))
            continue;
        holders.push_back({pid, program, otherSide && held == 1});
    }
    return holders;
}

QString UsersText(const std::vector<Holder>& holders) {
    QStringList names;
    for (const Holder& holder : holders)
        if (!holder.farEnd)
            names << QStringLiteral("%1 (pid %2)").arg(holder.program).arg(holder.pid);
    return names.join(QStringLiteral(", "));
}

bool IsOwnTerminal(int fd) {
    struct stat device {};
    if (::fstat(fd, &device) != 0 || !S_ISCHR(device.st_mode))
        return false;
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        struct stat st {};
        if (::fstat(stream, &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device.st_rdev)
            return true;
    }
    // The controlling terminal is field 7 of /proc/self/stat, as the kernel numbers devices.
    const QString stat = ReadLine(QStringLiteral("/proc/self/stat"));
    const QStringList fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const unsigned long tty = fields.value(4).toULong();
    return tty != 0 &&
           ::makedev((tty >> 8) & 0xfff, (tty & 0xff) | ((tty >> 12) & 0xfff00)) == device.st_rdev;
}

} // namespace SerialDiagnostics
