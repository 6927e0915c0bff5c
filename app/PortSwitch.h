#pragma once

#include <QString>

#include <functional>

class CMonitor;

// Moves the running program to the serial device `path`: the monitor there is asked first,
// beside the link in use, which stays untouched until the new monitor has answered and has
// been read as at start-up. Another monitor (serial number) is taken only when the user
// says so, one of another model not at all (the windows are made for this one);
// `leaveCurrent` then lets the monitor in use go as closing does (false stays). Every
// refusal is told to the user with its reason. True once the link is the new device's.
bool SwitchPort(CMonitor& monitor, const QString& path, const std::function<bool()>& leaveCurrent);
