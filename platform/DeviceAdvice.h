#pragma once

#include <QString>

// What more there is to say about a device that gave no monitor, beyond the failure the
// open itself reported: for one this user may not open, the problem and the one thing that
// fixes it (joining the group, a udev rule, logging in again); for one another program
// holds, which programs. Empty when there is nothing to add.
QString DeviceAdvice(const QString& path);
