#pragma once

#include <memory>

class CMonitor;
class CSimServer;
class ISerialPort;

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

    // Finds the monitor and reads every group and the colour-temperature tables, as the
    // desktop program does at start-up, then takes the values read as the stored ones.
    // Returns an exit status: Exit::Ok, Exit::NoMonitor or Exit::Failure. Runs once.
    int Connect();
    // The connected monitor (after a successful Connect).
    CMonitor& Monitor();

private:
    std::unique_ptr<CSimServer> m_sim;
    std::unique_ptr<CMonitor> m_monitor;
    bool m_bTrace;
    ISerialPort* m_pPort;
    int m_nConnectStatus = -1; // -1 until Connect ran
};
