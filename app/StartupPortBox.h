#pragma once

class CMonitor;

// Start-up when no monitor answered: the no-monitor message, why each device tried gave
// none, and a choice of another device from the list, trying again, or ending. True once
// a monitor answered (a chosen device is then remembered as discovery remembers one).
bool FindMonitorAtStartUp(CMonitor& monitor);
