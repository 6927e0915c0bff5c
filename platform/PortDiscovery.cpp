#include "platform/PortDiscovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>

#include <algorithm>
#include <set>

namespace {

QString FolderFromEnvironment(const char* variable, const QString& fallback) {
    const QString folder = qEnvironmentVariable(variable);
    return folder.isEmpty() ? fallback : QDir::cleanPath(folder);
}

// Why `path` is no serial device we may open; empty when it is a character device.
QString NotADevice(const QString& path) {
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("points nowhere");
    if (S_ISCHR(st.st_mode))
        return QString();
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("not a serial device (a folder)");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("not a serial device (a pipe)");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("not a serial device (a file)");
    return QStringLiteral("not a serial device");
}

// Small first lines of a device-tree attribute file.
QString ReadAttribute(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(256)).section('\n', 0, 0).trimmed();
}

} // namespace

QString PortDiscovery::DeviceFolder() {
    return FolderFromEnvironment("QELT32_DEV_DIR", QStringLiteral("/dev"));
}

QString PortDiscovery::SysFolder() {
    return FolderFromEnvironment("QELT32_SYS_DIR", QStringLiteral("/sys"));
}

std::vector<AdapterCandidate> PortDiscovery::FindAdapters(const QString& deviceFolder) {
    std::vector<AdapterCandidate> found;
    std::set<QString> reached; // nodes a by-id link already stands for
    auto add = [&](const QString& path) {
        AdapterCandidate candidate{path, QFileInfo(path).canonicalFilePath(), NotADevice(path)};
        if (!candidate.device.isEmpty())
            reached.insert(candidate.device);
        found.push_back(candidate);
    };

    // The names come sorted from QDir; a folder of thousands of entries is cut short.
    const QDir byId(deviceFolder + QStringLiteral("/serial/by-id"));
    const QStringList links =
        byId.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : links) {
        if (int(found.size()) >= kMaxCandidates)
            return found;
        add(byId.filePath(name));
    }

    static const QRegularExpression nodeName(QStringLiteral("^tty(ACM|USB)([0-9]{1,6})$"));
    struct Node {
        QString kind;
        int number;
        QString name;
    };
    std::vector<Node> nodes;
    const QDir dev(deviceFolder);
    for (const QString& name :
         dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                       QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const auto match = nodeName.match(name);
        if (match.hasMatch())
            nodes.push_back({match.captured(1), match.captured(2).toInt(), name});
    }
    std::sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
    });
    for (const Node& node : nodes) {
        if (int(found.size()) >= kMaxCandidates)
            break;
        const QString path = dev.filePath(node.name);
        if (!reached.count(QFileInfo(path).canonicalFilePath()))
            add(path);
    }
    return found;
}

QString PortDiscovery::StableName(const QString& path, const QString& deviceFolder) {
    const QString node = QFileInfo(path).canonicalFilePath();
    if (node.isEmpty())
        return path;
    const QDir byId(deviceFolder + QStringLiteral("/serial/by-id"));
    for (const QString& name :
         byId.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (QFileInfo(byId.filePath(name)).canonicalFilePath() == node)
            return byId.filePath(name);
    }
    return path;
}

QString PortDiscovery::AdapterDescription(const QString& device, const QString& sysFolder) {
    const QString name = QFileInfo(device).fileName();
    if (name.isEmpty())
        return QString();
    // The tty's device is a USB interface (or a port below one); the USB device that holds
    // the maker's and product's names lies a few folders up.
    QString folder =
        QFileInfo(sysFolder + QStringLiteral("/class/tty/") + name + QStringLiteral("/device"))
            .canonicalFilePath();
    for (int up = 0; up < 4 && !folder.isEmpty() && folder != sysFolder; ++up) {
        const QString maker = ReadAttribute(folder + QStringLiteral("/manufacturer"));
        const QString model = ReadAttribute(folder + QStringLiteral("/product"));
        if (!maker.isEmpty() || !model.isEmpty())
            return QStringList({maker, model}).join(' ').trimmed();
        folder = QFileInfo(folder).path();
    }
    return QString();
}
