#pragma once

#include <QString>

// What more there is to say about a device that gave no monitor, beyond the failure the
// open itself reported: for one this user may not open, the problem and the one thing that
// fixes it (joining the group, a udev rule, logging in again); for one another program
// holds, which programs. Empty when there is nothing to add.
QString DeviceAdvice(const QString& path);

// `failure` (what the open of `path` said), followed by DeviceAdvice in brackets where
// there is more to say.
QString ExplainFailure(const QString& failure, const QString& path);
