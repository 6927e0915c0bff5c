#pragma once

#include <QString>

// The names under which the monitor is served on the user's session bus.
namespace BusNames {
inline const QString kService = QStringLiteral("com.vorka.qelt32");
inline const QString kPath = QStringLiteral("/com/vorka/qelt32/Monitor");
inline const QString kInterface = QStringLiteral("com.vorka.qelt32.Monitor");

// Errors of our own; unknown names and bad values are the bus's InvalidArgs.
inline const QString kNotTaken = QStringLiteral("com.vorka.qelt32.Error.NotTaken");
inline const QString kDisconnected = QStringLiteral("com.vorka.qelt32.Error.Disconnected");
inline const QString kBusy = QStringLiteral("com.vorka.qelt32.Error.Busy");

// ItemChanged's origins.
inline const QString kFrontPanel = QStringLiteral("front-panel");
inline const QString kProgram = QStringLiteral("program");
inline const QString kClient = QStringLiteral("client");
} // namespace BusNames
