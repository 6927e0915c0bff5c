#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class CMonitor;
class CSimServer;
class ISerialPort;

// What a command reads from the monitor once it is found. The identity is always checked;
// everything else costs line time, so a command asks only for what it shows or uses.
struct CliNeeds {
    bool timing = false;      // the scan frequencies
    std::vector<int> items{}; // single items, read one by one
    bool colorGroup = false;  // the colour items, which a colour mode or temperature moves
    bool colorTables = false; // the colour-temperature tables in the monitor's memory
    bool everything = false;  // every group, the tables and the timing, as the desktop reads

    static CliNeeds Everything() { return {.everything = true}; }
    static CliNeeds Items(std::vector<int> items) { return {.items = std::move(items)}; }
};

// The monitor of one qelt32ctl run. It is found and read only when a command asks for it,
// so that help and bad input never touch a port (nor the profile's port entry, which the
// controller writes when it goes).
class CCliSession {
public:
    // `sim`: the simulated monitor of --simulate, or nullptr. `trace`: frames on stderr.
    // `port`: the serial port to use instead of the controller's own (not owned), or nullptr.
    CCliSession(std::unique_ptr<CSimServer> sim, bool trace, ISerialPort* port = nullptr);
    ~CCliSession(); // the controller goes first, while the simulated monitor still answers
    CCliSession(const CCliSession&) = delete;
    CCliSession& operator=(const CCliSession&) = delete;

    // Finds the monitor and reads what `needs` names; what was read is taken as stored.
    // Returns an exit status: Exit::Ok, Exit::NoMonitor or Exit::Failure. Runs once.
    int Connect(const CliNeeds& needs);
    // The connected monitor (after a successful Connect).
    CMonitor& Monitor();
    // The same, or null when Connect has not succeeded (or not run).
    const CMonitor* ConnectedMonitor() const;

private:
    int Read(const CliNeeds& needs);
    // When the program serving com.vorka.qelt32 holds this run's port, the monitor is
    // reached through it: the status, or nothing when no such program holds the port.
    std::optional<int> ConnectThroughBus();

    std::unique_ptr<CSimServer> m_sim;
    std::unique_ptr<CMonitor> m_monitor;
    bool m_bTrace;
    ISerialPort* m_pPort;
    int m_nConnectStatus = -1; // -1 until Connect ran
};
