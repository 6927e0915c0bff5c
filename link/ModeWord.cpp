// Accessors and setters of the mode word (item 30). Every setter starts from the cached
// word, changes only its own bits and sends the whole word.

#include "link/Monitor.h"

namespace {
constexpr int kHMoireItem = 18, kVMoireItem = 19;
constexpr std::uint8_t kRevisionB = 0;

bool Has(std::uint16_t word, std::uint16_t mask) {
    return (word & mask) != 0;
}
} // namespace

bool CMonitor::WriteModeWord(std::uint16_t word) {
    return WriteItem(Items::ModeWord, word);
}

bool CMonitor::SetModeBit(std::uint16_t mask, bool on) {
    return WriteModeWord(ModeBits::With(ModeWord(), mask, on));
}

void CMonitor::CommitModeBit(std::uint16_t mask, bool on) {
    MonItem& word = m_items[Items::ModeWord];
    word.stored = ModeBits::With(word.stored, mask, on);
}

// --- power saving: 0 VESA DPMS, 1 NUTEK, 2 off (off wins when both bits are set) ---

int CMonitor::GetPowerSaveMode() const {
    if (Has(ModeWord(), ModeBits::PowerOff))
        return 2;
    return Has(ModeWord(), ModeBits::PowerNutek) ? 1 : 0;
}

bool CMonitor::SetPowerSaveMode(int mode) {
    return WriteModeWord(
        ModeBits::ApplyTwoBitMode(ModeWord(), mode, ModeBits::PowerOff, ModeBits::PowerNutek));
}

bool CMonitor::SetPowerSaveModeFromFlags(std::uint16_t flags) {
    const int mode = Has(flags, ModeBits::PowerOff) ? 2 : Has(flags, ModeBits::PowerNutek) ? 1 : 0;
    return SetPowerSaveMode(mode);
}

// --- delay before Mode 1: 0 = 5 seconds, 1 = 3 minutes ---

int CMonitor::GetMode1Delay() const {
    return Has(ModeWord(), ModeBits::Mode1Delay) ? 1 : 0;
}

bool CMonitor::SetMode1Delay(int delay) {
    if (delay == 0 || delay == 1)
        return SetModeBit(ModeBits::Mode1Delay, delay == 1);
    return WriteModeWord(ModeWord());
}

bool CMonitor::SetMode1DelayFromFlags(std::uint16_t flags) {
    return SetMode1Delay(Has(flags, ModeBits::Mode1Delay) ? 1 : 0);
}

void CMonitor::CommitMode1Delay(int delay) {
    if (delay == 0 || delay == 1)
        CommitModeBit(ModeBits::Mode1Delay, delay == 1);
}

// --- moire reduction switches; a monitor without the level item has no switch either ---

bool CMonitor::SetSwitchBit(int levelItem, std::uint16_t mask, bool on) {
    return !IsAvailable(levelItem) || SetModeBit(mask, on);
}

void CMonitor::CommitSwitchBit(int levelItem, std::uint16_t mask, bool on) {
    if (IsAvailable(levelItem))
        CommitModeBit(mask, on);
}

bool CMonitor::GetHMoireOn() const {
    return Has(ModeWord(), ModeBits::HMoire);
}
bool CMonitor::SetHMoireOn(bool on) {
    return SetSwitchBit(kHMoireItem, ModeBits::HMoire, on);
}
bool CMonitor::SetHMoireOnFromFlags(std::uint16_t flags) {
    return SetHMoireOn(Has(flags, ModeBits::HMoire));
}
void CMonitor::CommitHMoireOn(bool on) {
    CommitSwitchBit(kHMoireItem, ModeBits::HMoire, on);
}

bool CMonitor::GetVMoireOn() const {
    return Has(ModeWord(), ModeBits::VMoire);
}
bool CMonitor::SetVMoireOn(bool on) {
    return SetSwitchBit(kVMoireItem, ModeBits::VMoire, on);
}
bool CMonitor::SetVMoireOnFromFlags(std::uint16_t flags) {
    return SetVMoireOn(Has(flags, ModeBits::VMoire));
}
void CMonitor::CommitVMoireOn(bool on) {
    CommitSwitchBit(kVMoireItem, ModeBits::VMoire, on);
}

// --- input: 0 D-SUB, 1 BNC ---

int CMonitor::GetInputSignal() const {
    return Has(ModeWord(), ModeBits::InputBnc) ? 1 : 0;
}

bool CMonitor::SetInputSignal(int input) {
    return SetModeBit(ModeBits::InputBnc, input == 1);
}

// --- input detection: 0 automatic (D-SUB first), 1 automatic (BNC first), 2 manual ---

int CMonitor::GetInputDetection() const {
    if (Has(ModeWord(), ModeBits::DetectManual))
        return 2;
    if (GetProtocolRevision() != kRevisionB && Has(ModeWord(), ModeBits::DetectBnc))
        return 1;
    return 0;
}

bool CMonitor::SetInputDetection(int mode) {
    if (GetProtocolRevision() != kRevisionB)
        return WriteModeWord(ModeBits::ApplyTwoBitMode(ModeWord(), mode, ModeBits::DetectManual,
                                                       ModeBits::DetectBnc));
    // Revision B knows only automatic (0) and manual (1).
    if (mode == 0 || mode == 1)
        return SetModeBit(ModeBits::DetectManual, mode == 1);
    return WriteModeWord(ModeWord());
}

// --- beep ---

bool CMonitor::GetBeep() const {
    return !Has(ModeWord(), ModeBits::BeepOff);
}

bool CMonitor::SetBeep(bool on) {
    return SetModeBit(ModeBits::BeepOff, !on);
}

// --- user-defined colour; revision B has no presets, so its colour is always custom ---

bool CMonitor::GetColorCustom() const {
    return GetProtocolRevision() == kRevisionB || Has(ModeWord(), ModeBits::ColorCustom);
}

bool CMonitor::GetStoredColorCustom() const {
    return GetProtocolRevision() == kRevisionB ||
           Has(m_items[Items::ModeWord].stored, ModeBits::ColorCustom);
}

bool CMonitor::SetColorCustom(bool custom) {
    if (GetProtocolRevision() == kRevisionB || GetColorCustom() == custom)
        return true;
    return SetModeBit(ModeBits::ColorCustom, custom);
}

bool CMonitor::SetColorCustomFromFlags(std::uint16_t flags) {
    if (GetProtocolRevision() == kRevisionB)
        return true;
    return SetModeBit(ModeBits::ColorCustom, Has(flags, ModeBits::ColorCustom));
}

void CMonitor::CommitColorCustom(bool custom) {
    CommitModeBit(ModeBits::ColorCustom, custom);
}
