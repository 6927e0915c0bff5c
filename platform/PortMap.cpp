#include "platform/PortMap.h"

#include "platform/Profile.h"

#include <QStringList>

CPortMap::CPortMap() {
    for (int i = 0; i < 4; ++i)
        m_paths[i] = QStringLiteral("/dev/ttyS%1").arg(i);
}

QString CPortMap::Path(int index) const {
    return index >= 0 && index < 4 ? m_paths[index] : QString();
}

void CPortMap::SetPath(int index, const QString& path) {
    if (index >= 0 && index < 4)
        m_paths[index] = path;
}

void CPortMap::SetAll(const std::array<QString, 4>& paths) {
    m_paths = paths;
    m_bSingleDevice = false;
}

void CPortMap::SetOnly(const QString& path) {
    m_paths = {path, {}, {}, {}};
    m_bSingleDevice = true;
}

void CPortMap::LoadFromProfile() {
    for (int i = 0; i < 4; ++i)
        m_paths[i] = Profile::GetString("Ports", QStringLiteral("COM%1").arg(i + 1), m_paths[i]);
}

bool CPortMap::ParseList(const QString& list) {
    const QStringList parts = list.split(',');
    if (parts.size() > 4)
        return false;
    for (int i = 0; i < 4; ++i)
        m_paths[i] = i < parts.size() ? parts[i].trimmed() : QString();
    m_bSingleDevice = false;
    return true;
}

CPortMap& PortMap() {
    static CPortMap map;
    return map;
}
