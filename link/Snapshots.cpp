// The item cache's two snapshots: "stored" (what the monitor keeps in its memory) and
// "undo" (taken by a dialog when it opens).

#include "link/Monitor.h"

#include "platform/StringTable.h"
#include "platform/UserMessages.h"

namespace {
constexpr int kRestoreAttempts = 3;
constexpr int kFlagBit[3] = {7, 8, 9}; // MarkFlag 0, 1, 2

template <class Fn> void ForGroup(Items::Group group, Fn fn) {
    for (int item = Items::First(group); item <= Items::Last(group); ++item)
        fn(item);
}
} // namespace

void CMonitor::CommitItem(int item) {
    m_items[item].stored = m_items[item].current;
}

void CMonitor::CommitBrightContrast() {
    ForGroup(Items::Group::BrightContrast, [this](int item) { CommitItem(item); });
}

void CMonitor::CommitGeometry() {
    ForGroup(Items::Group::Geometry, [this](int item) { CommitItem(item); });
}

void CMonitor::CommitConvergence() {
    ForGroup(Items::Group::Convergence, [this](int item) { CommitItem(item); });
}

void CMonitor::CommitColor() {
    ForGroup(Items::Group::Color, [this](int item) { CommitItem(item); });
}

void CMonitor::CommitModes() {
    ForGroup(Items::Group::Modes, [this](int item) { CommitItem(item); });
}

void CMonitor::CommitAllGroups() {
    CommitGeometry();
    CommitConvergence();
    CommitColor();
    CommitBrightContrast();
    CommitModes();
}

bool CMonitor::IsModified() const {
    for (const MonItem& it : m_items)
        if (it.current != it.stored)
            return true;
    return false;
}

bool CMonitor::RestoreItem(int item, std::uint16_t value) {
    const MonItem& it = m_items[item];
    if (it.status != 0 || it.current == value)
        return true;
    for (int attempt = 0; attempt < kRestoreAttempts; ++attempt)
        if (WriteItem(item, value))
            return true;
    UserMessages().Show(Str::CommFailure);
    return false;
}

bool CMonitor::RestoreGroup(Items::Group group, bool fromUndo) {
    for (int item = Items::First(group); item <= Items::Last(group); ++item) {
        if (group == Items::Group::Modes) {
            // Auto-sizing is a trigger, not a setting; the preset only matters while the
            // stored colour is one of the monitor's presets.
            if (item == Items::AutoSizeItem)
                continue;
            if (item == Items::ColorPreset && GetStoredColorCustom())
                continue;
        }
        const MonItem& it = m_items[item];
        if (!RestoreItem(item, fromUndo ? it.undo : it.stored))
            return false;
    }
    return true;
}

bool CMonitor::RestoreBrightContrast() {
    return RestoreGroup(Items::Group::BrightContrast, false);
}
bool CMonitor::RestoreGeometry() {
    return RestoreGroup(Items::Group::Geometry, false);
}
bool CMonitor::RestoreConvergence() {
    return RestoreGroup(Items::Group::Convergence, false);
}
bool CMonitor::RestoreColor() {
    return RestoreGroup(Items::Group::Color, false);
}
bool CMonitor::RestoreModes() {
    return RestoreGroup(Items::Group::Modes, false);
}

void CMonitor::MarkItem(int item) {
    m_items[item].undo = m_items[item].current;
}

void CMonitor::MarkBrightContrast() {
    ForGroup(Items::Group::BrightContrast, [this](int item) { MarkItem(item); });
}

void CMonitor::MarkGeometry() {
    ForGroup(Items::Group::Geometry, [this](int item) { MarkItem(item); });
}

void CMonitor::MarkColor() {
    ForGroup(Items::Group::Color, [this](int item) { MarkItem(item); });
}

bool CMonitor::RevertBrightContrast() {
    return RestoreGroup(Items::Group::BrightContrast, true);
}
bool CMonitor::RevertGeometry() {
    return RestoreGroup(Items::Group::Geometry, true);
}
bool CMonitor::RevertColor() {
    return RestoreGroup(Items::Group::Color, true);
}
bool CMonitor::RevertItem(int item) {
    return RestoreItem(item, m_items[item].undo);
}

void CMonitor::MarkFlag(int which) {
    if (which >= 0 && which < 3)
        m_markedFlags[which] = (ModeWord() >> kFlagBit[which]) & 1;
}

bool CMonitor::RevertFlag(int which) {
    switch (which) {
    case 0:
        return SetMode1Delay(m_markedFlags[0]);
    case 1:
        return SetHMoireOn(m_markedFlags[1] != 0);
    case 2:
        return SetVMoireOn(m_markedFlags[2] != 0);
    default:
        return false;
    }
}
