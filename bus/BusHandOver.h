#pragma once

#include <QDBusConnection>
#include <QString>

#include <chrono>

// Taking the monitor over from the program that serves it on the bus (`qelt32ctl serve`).
namespace BusHandOver {
// True when a program holds com.vorka.qelt32 on `bus`.
bool IsServed(const QDBusConnection& bus);
// Asks the holder to let the monitor go (Quit) and waits, at most `timeout`, until the
// name is free: the holder closes the port before it gives the name up. True when the
// name is free; false with *why when the holder refused or did not let go in time.
bool AskHolderToQuit(const QDBusConnection& bus, std::chrono::milliseconds timeout, QString* why);
} // namespace BusHandOver
