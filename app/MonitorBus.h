#pragma once

#include <memory>

class CMonitor;
class CMonitorService;
class CQelt32App;

// The desktop program on the session bus: before it looks for the monitor, a
// `qelt32ctl serve` that has it is asked to let go; once the windows exist, the monitor is
// served. Without a session bus the program runs as before (told on standard error).
namespace MonitorBus {
void TakeOverFromServe();
// The service, or nullptr when it could not be published. Changes from callers are refused
// while a modal dialog or the full-screen mode has the monitor.
std::unique_ptr<CMonitorService> Publish(CMonitor& monitor, const CQelt32App& app);
} // namespace MonitorBus
