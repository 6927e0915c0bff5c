#pragma once

#include "doc/SettingsFormat.h"

#include <cstdint>
#include <vector>

// Which groups of a binary settings file are loaded. The open dialog keeps the choice in
// the profile ("Settings": "screen", "color", "pawer"; 0 = off, anything else = on,
// 1 when absent).
struct LoadGroups {
    bool screen = true;
    bool color = true;
    bool power = true;

    static LoadGroups FromProfile();
    void WriteToProfile() const;
    bool Any() const { return screen || color || power; }
    bool operator==(const LoadGroups&) const = default;
};

// What the loader compares a file with.
struct MonitorIdentity {
    std::uint32_t serial = 0;
    std::uint16_t fH = 0;
    std::uint16_t fV = 0;
    bool timingKnown = true; // false: no screen data can be matched
};

// One controller call of a load.
enum class LoadOp {
    WriteItem,
    HMoireOnFromFlags,
    VMoireOnFromFlags,
    ColorCustomFromFlags,
    PowerSaveModeFromFlags,
    Mode1DelayFromFlags,
};

struct LoadStep {
    LoadOp op = LoadOp::WriteItem;
    int item = -1; // WriteItem only
    std::uint16_t value = 0;
    bool operator==(const LoadStep&) const = default;
};

// Everything a load will send, decided before anything is sent.
struct LoadPlan {
    bool otherMonitor = false;   // refused: nothing is sent
    bool timingMismatch = false; // the screen group is skipped, the others load
    std::vector<LoadStep> steps;
};

// A file's scan frequencies fit when each lies within one unit of the monitor's.
bool TimingMatches(std::uint16_t fh, std::uint16_t fv, std::uint16_t fH, std::uint16_t fV);

// The calls that load `content` into the monitor. Binary files load the groups in
// `groups`; the text form names its own (screen and colour; it has no power-saving group).
// Items the file does not hold are left alone. Item 33 and the input, detection and beep
// bits of the mode word are never loaded.
LoadPlan PlanLoad(const SettingsFormat::SettingsContent& content, const MonitorIdentity& monitor,
                  const LoadGroups& groups);
