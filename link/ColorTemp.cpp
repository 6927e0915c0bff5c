// The controller's colour temperature: reference tables read once from the monitor's
// memory, steps turned into the seven colour items and found back from them.

#include "link/ColorTempMath.h"
#include "link/Monitor.h"

#include "platform/StringTable.h"
#include "platform/UserMessages.h"

namespace {

constexpr int kMemoryTries = 3;
// Revision B keeps its two tables at 7, or at 15 when address 0 holds the marker 'Z' 'Z'.
constexpr std::uint16_t kRevBMarkerAddress = 0;
constexpr std::uint8_t kRevBMarker = 0x5A;
constexpr std::uint16_t kRevBTables = 7;
constexpr std::uint16_t kRevBTablesAfterMarker = 15;
// Other revisions: tables A, B, C from 8, then seven reads of breakpoint pairs.
constexpr std::uint16_t kTables = 8;
constexpr int kBreakpointReads = 7;

// One memory read with its retries; the user hears of a read that never succeeds.
bool ReadMemoryRetried(CMonitor& monitor, std::uint16_t address, std::uint8_t& first,
                       std::uint8_t& second) {
    for (int attempt = 0; attempt < kMemoryTries; ++attempt)
        if (monitor.ReadMemory(address, &first, &second))
            return true;
    UserMessages().Show(Str::CommFailure);
    return false;
}

// Reads one table from `address` on; `address` ends just after it.
bool ReadTable(CMonitor& monitor, std::uint16_t& address, ColorTemp::Table& table) {
    for (int read = 0; read < 4; ++read, ++address) {
        std::uint8_t first = 0, second = 0;
        if (!ReadMemoryRetried(monitor, address, first, second))
            return false;
        ColorTemp::PlaceTableRead(table, read, first, second);
    }
    return true;
}

} // namespace

bool CMonitor::ReadColorTempTable() {
    if (GetProtocolRevision() == 0) {
        std::uint8_t first = 0, second = 0;
        if (!ReadMemoryRetried(*this, kRevBMarkerAddress, first, second))
            return false;
        const bool marked = first == kRevBMarker && second == kRevBMarker;
        std::uint16_t address = marked ? kRevBTablesAfterMarker : kRevBTables;
        return ReadTable(*this, address, m_tableA) && ReadTable(*this, address, m_tableB);
    }

    std::uint16_t address = kTables;
    if (!ReadTable(*this, address, m_tableA) || !ReadTable(*this, address, m_tableB) ||
        !ReadTable(*this, address, m_tableC))
        return false;
    for (int j = 0; j < kBreakpointReads; ++j, ++address) {
        std::uint8_t first = 0, second = 0;
        if (!ReadMemoryRetried(*this, address, first, second))
            return false;
        m_T[2 * j] = second;
        m_T[2 * j + 1] = first;
    }
    m_U = ColorTemp::RelativeBreakpoints(m_T);
    return true;
}

void CMonitor::CalcColorTemp(int step, std::uint16_t values[7]) const {
    const ColorTemp::Table table =
        ColorTemp::Interpolate(step, m_tableA, m_tableB, m_tableC, m_T, m_U);
    std::copy(table.begin(), table.end(), values);
}

// Every colour item is written even when one fails, as the monitor would otherwise be left
// with a mix of two temperatures; the result says whether all of them took.
bool CMonitor::SetColorTemp(int step) {
    const bool revisionB = GetProtocolRevision() == 0;
    if (step < 0 || step > ColorTemp::LastStep(revisionB))
        return false;

    bool ok = true;
    if (!revisionB) {
        if (!GetColorCustom())
            ok = SetColorCustom(true);
        for (std::size_t preset = 0; preset < kPresetSteps.size(); ++preset)
            if (kPresetSteps[preset] == step)
                return SelectColorTempPreset(static_cast<int>(preset)) && ok;
    }

    const ColorTemp::Table values =
        revisionB ? ColorTemp::BlendRevB(step, m_tableA, m_tableB)
                  : ColorTemp::Interpolate(step, m_tableA, m_tableB, m_tableC, m_T, m_U);
    for (int i = 0; i < 7; ++i)
        ok = WriteItem(kColorItemOrder[i], values[i]) && ok;
    return ok;
}

bool CMonitor::IsColorTemp(const int* step) {
    const bool revisionB = GetProtocolRevision() == 0;
    if (!step || *step < 0 || *step > ColorTemp::LastStep(revisionB))
        return false;
    const ColorTemp::Table values =
        revisionB ? ColorTemp::BlendRevB(*step, m_tableA, m_tableB)
                  : ColorTemp::Interpolate(*step, m_tableA, m_tableB, m_tableC, m_T, m_U);
    for (int i = 0; i < 7; ++i)
        if (m_items[kColorItemOrder[i]].current != values[i])
            return false;
    return true;
}

int CMonitor::GetColorTemp() {
    const bool revisionB = GetProtocolRevision() == 0;
    if (!revisionB && !GetColorCustom()) {
        // The monitor runs one of its presets; an index it should never report has no step.
        const std::uint16_t preset = m_items[Items::ColorPreset].current;
        return preset < kPresetSteps.size() ? kPresetSteps[preset] : -1;
    }
    for (int step = 0; step <= ColorTemp::LastStep(revisionB); ++step)
        if (IsColorTemp(&step))
            return step;
    return -1;
}

bool CMonitor::SelectColorTempPreset(int preset) {
    if (preset < 0 || preset >= static_cast<int>(kPresetSteps.size()))
        return false;
    return WriteItem(Items::ColorPreset, static_cast<std::uint16_t>(preset)) && ReadColor();
}
