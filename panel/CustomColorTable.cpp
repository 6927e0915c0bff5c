#include "panel/CustomColorTable.h"

#include "link/Monitor.h"
#include "platform/Profile.h"

namespace {
std::uint16_t Current(const CMonitor& monitor, int item) {
    std::uint16_t current = 0;
    monitor.GetItem(item, nullptr, &current, nullptr);
    return current;
}
} // namespace

CCustomColorTable::CCustomColorTable()
    : m_records{{{29, "subcon", 0},
                 {23, "rcutoff", 0},
                 {24, "gcutoff", 0},
                 {25, "bcutoff", 0},
                 {26, "rgain", 0},
                 {27, "ggain", 0},
                 {28, "bgain", 0}}} {}

std::uint16_t CCustomColorTable::Saved(int item) const {
    for (const Record& record : m_records)
        if (record.item == item)
            return record.saved;
    return 0;
}

void CCustomColorTable::TakeCurrent(const CMonitor& monitor) {
    for (Record& record : m_records)
        record.saved = Current(monitor, record.item);
}

void CCustomColorTable::Load(const QString& section, const CMonitor& monitor) {
    constexpr int kAbsent = -1;
    for (Record& record : m_records) {
        const int stored = Profile::GetInt(section, QString::fromLatin1(record.key), kAbsent);
        record.saved = stored >= 0 && stored <= 0xFFFF ? static_cast<std::uint16_t>(stored)
                                                       : Current(monitor, record.item);
    }
}

void CCustomColorTable::Save(const QString& section) const {
    for (const Record& record : m_records)
        Profile::WriteInt(section, QString::fromLatin1(record.key), record.saved);
}

void CCustomColorTable::WriteTo(CMonitor& monitor) const {
    for (const Record& record : m_records)
        monitor.WriteItem(record.item, record.saved);
}
