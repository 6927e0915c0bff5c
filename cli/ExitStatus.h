#pragma once

// The exit statuses of qelt32ctl, as `qelt32ctl help` lists them.
namespace Exit {
constexpr int Ok = 0;
constexpr int Failure = 1;   // the monitor did not answer or did not take a change
constexpr int Usage = 2;     // bad command line: unknown command or name, bad or out-of-range value
constexpr int NoMonitor = 3; // no monitor found, a flat panel, or the port could not be set up
} // namespace Exit
