#pragma once

#include <QString>

#include <array>
#include <cstdint>

class CMonitor;

// The user's own colour values (sub-contrast, cutoffs, gains), kept while a standard
// colour temperature is in use so that choosing Custom again brings them back. Kept per
// monitor in the profile section named by its serial number.
class CCustomColorTable {
public:
    struct Record {
        std::uint8_t item;
        const char* key;
        std::uint16_t saved;
    };
    static constexpr int kCount = 7;

    CCustomColorTable();

    const std::array<Record, kCount>& Records() const { return m_records; }
    // The saved value of a colour item (23..29).
    std::uint16_t Saved(int item) const;

    // Every saved value := the item's current value.
    void TakeCurrent(const CMonitor& monitor);
    // Every saved value := the profile's value under its key in `section`, or the item's
    // current value where the key is absent or not a 16-bit number.
    void Load(const QString& section, const CMonitor& monitor);
    void Save(const QString& section) const;
    // Writes the saved values to the monitor, in table order.
    void WriteTo(CMonitor& monitor) const;

private:
    std::array<Record, kCount> m_records;
};
