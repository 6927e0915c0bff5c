#pragma once

// The device list and the remembered device, through the X server's input path
// (RealDisplay.h): the steps the tests of choosing a serial device share.

#include "RealDisplay.h"

#include <QSettings>

#include <csignal>

namespace DeviceListKeys {

// Waits for the device list the caller's keys open, and presses `keys` in it ("Down
// Return", "End Return").
inline bool Pick(CRealDisplay& display, const QString& keys) {
    QStringList list;
    return CRealDisplay::WaitUntil(
               [&] { return !(list = display.VisibleWindows("^Serial Device$")).isEmpty(); },
               std::chrono::seconds(20)) &&
           display.Focus(list.first()) && display.Key(keys);
}

// Ends the program as a logout does; the device its profile remembers then, or what went
// wrong instead.
inline QString RememberedAtEnd(CRealDisplay& display) {
    if (!display.SignalProgram(SIGTERM) || display.WaitForProgramEnd() != 0)
        return QStringLiteral("(the program did not end cleanly: %1)").arg(display.Error());
    return QSettings(display.ProfileFile(), QSettings::IniFormat)
        .value(QStringLiteral("Settings/Device"))
        .toString();
}

} // namespace DeviceListKeys
