#pragma once

class CMonitor;
class IAutoSizeNotice;

// The Function commands act directly on the monitor. Their menu and toolbar state is
// worked out from the controller's cache each time it is shown, never kept.
struct CommandState {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
};

bool IsFunctionCommand(int id);
CommandState FunctionCommandState(int id, const CMonitor& monitor);
// Auto-Sizing runs through the notice, which performs the sizing while it is up.
void RunFunctionCommand(int id, CMonitor& monitor, IAutoSizeNotice& notice);
