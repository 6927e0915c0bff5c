#pragma once

#include <QString>

#include <array>

// Turns the port index 0..3 (the program's COM1..COM4) into a device path. Defaults are
// /dev/ttyS0../dev/ttyS3; the profile (section "Ports", keys "COM1".."COM4") and the
// command line (--port, --ports, --simulate) change them. An empty path is a slot that
// is never opened (--port PATH leaves only one slot).
class CPortMap {
public:
    CPortMap();

    QString Path(int index) const; // empty for an index outside 0..3
    void SetPath(int index, const QString& path);
    void SetAll(const std::array<QString, 4>& paths);
    // --port PATH: only this device, in slot 0.
    void SetOnly(const QString& path);
    // Reads overrides from the profile (absent keys keep the current paths).
    void LoadFromProfile();
    // Parses "P0,P1,P2,P3" (fewer entries leave the rest empty). False on more than four.
    bool ParseList(const QString& list);
    // Whether the index of the port the monitor is found on may be kept in the profile as
    // the one to try first next time: not when this run was given its one device (--port,
    // --simulate), whose slot 0 says nothing about the user's ports.
    bool RemembersPortIndex() const { return !m_bSingleDevice; }

private:
    std::array<QString, 4> m_paths;
    bool m_bSingleDevice = false;
};

CPortMap& PortMap();
