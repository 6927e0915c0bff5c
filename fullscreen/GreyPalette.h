#pragma once

#include <QRgb>

#include <memory>
#include <vector>

// The grey levels of the colour test pattern: entry 0 is white, entry k is 256 - 16k, the
// last entry is black. Sixteen entries give 255, 240, 224, .., 32, 0.
class CGreyPalette {
public:
    // Null when `entries` is outside 2..kMaxEntries: beyond that the steps of 16 would fall
    // below black. Whoever asked for the palette then goes without one.
    static std::unique_ptr<CGreyPalette> Create(int entries);
    static constexpr int kMaxEntries = 17;

    int Size() const { return static_cast<int>(m_entries.size()); }
    QRgb Entry(int index) const { return m_entries[static_cast<std::size_t>(index)]; }

private:
    explicit CGreyPalette(std::vector<QRgb> entries) : m_entries(std::move(entries)) {}

    std::vector<QRgb> m_entries;
};
