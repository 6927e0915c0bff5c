#pragma once

#include <QString>

#include <vector>

class CMonitor;

// The window's system menu while the frame is minimised: the seven standard entries, then
// the program's own from position 7 — a separator, Auto-Sizing when the monitor can
// auto-size, and the switch to the other input unless the monitor has a single input.
// Kept as a model so that the rules can be tested; the frame presents the program's
// entries where the desktop offers a place for them (a tray icon's menu).
struct SystemMenuEntry {
    int id = 0; // 0 = separator
    QString text;
    bool operator==(const SystemMenuEntry&) const = default;
};

class CSystemMenuModel {
public:
    static constexpr int kFirstOwnEntry = 7;
    // Standard entries of the system menu.
    static constexpr int kRestore = 0xF120, kMove = 0xF010, kSize = 0xF000, kMinimize = 0xF020,
                         kMaximize = 0xF030, kClose = 0xF060;

    CSystemMenuModel(const CMonitor& monitor, bool newShell);

    // The frame was minimised: add the program's entries.
    void OnMinimize();
    // The frame was restored: remove them again.
    void OnRestore();
    // The menu is about to open: the input switch is renewed so that it always offers the
    // input that is not in use.
    void OnInitMenu(bool minimized);

    const std::vector<SystemMenuEntry>& Entries() const { return m_entries; }
    // The program's entries (position 7 on).
    std::vector<SystemMenuEntry> OwnEntries() const;

private:
    void AppendInputSwitch();

    const CMonitor& m_monitor;
    bool m_bNewShell;
    std::vector<SystemMenuEntry> m_entries;
};
