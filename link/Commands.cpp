// The monitor's commands: degauss, auto-sizing, store to memory, group resets and the
// colour mode.

#include "link/Monitor.h"

#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <thread>

namespace {
constexpr std::uint8_t kDegaussCode = 0x00;
constexpr std::uint8_t kAutoSizeCode = 0xF8;
constexpr std::uint8_t kStoreCommand = 0x0C;
// Reset commands of "All Adjustments", "Size, Position and Distortion Adjustment",
// "Convergence, Tilt and Moire Adjustment" and "Color Adjustment".
constexpr std::uint8_t kResetCommand[4] = {0x09, 0x0A, 0x50, 0x0B};
constexpr int kRedCutoff = 23;
} // namespace

bool CMonitor::Degauss() {
    return SendSetValue(0, kDegaussCode);
}

bool CMonitor::AutoSize() {
    if (!SendSetValue(0, kAutoSizeCode))
        return false;
    // The monitor does not answer while it sizes the picture; give it its time.
    std::this_thread::sleep_for(Timings().autoSize);
    return ReadGeometry();
}

bool CMonitor::StoreInMemory(bool commit) {
    // A store that did not go out is no store: the user hears of it.
    if (!SendCommand(kStoreCommand)) {
        UserMessages().Show(Str::CommFailure);
        return false;
    }
    if (commit)
        for (int item = 0; item < Items::kCount; ++item)
            CommitItem(item);
    return true;
}

bool CMonitor::ResetGroup(int group) {
    if (group < 0 || group > 3 || !SendCommand(kResetCommand[group]))
        return false;
    // The monitor answers none of the resets; the reads below show what it did. Their
    // failures are reported to the user by the reads themselves.
    switch (group) {
    case 0:
        ReadBrightContrast();
        ReadGeometry();
        ReadConvergence();
        ReadColor();
        ReadModes();
        for (int item : {Items::ModeWord, Items::Bright, Items::Contrast, kRedCutoff})
            Notify(item, m_items[item].current);
        break;
    case 1:
        ReadGeometry();
        break;
    case 2:
        ReadConvergence();
        break;
    case 3:
        ReadColor();
        ReadModes();
        Notify(kRedCutoff, m_items[kRedCutoff].current);
        break;
    }
    return true;
}

bool CMonitor::SetColorMode(int mode) {
    if (m_items[Items::ColorMode].current == mode)
        return true;
    if (!WriteItem(Items::ColorMode, static_cast<std::uint16_t>(mode)) || !ReadColor())
        return false;
    Notify(Items::ColorMode, mode);
    return true;
}
