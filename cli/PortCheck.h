#pragma once

#include "platform/SerialDiagnostics.h"

#include <QString>

#include <optional>
#include <vector>

// Everything `qelt32ctl doctor` finds out about one device of the port map: whether it is
// there, may be opened and is free, the line settings it took, and who answered the
// identity request. `problem` is the first thing that stops the monitor from being used,
// in plain words, and `advice` what to do about it; both are empty when all is well.
struct PortCheck {
    QString path;
    SerialDiagnostics::Access access;
    std::vector<SerialDiagnostics::Holder> holders;
    bool opened = false;
    QString line; // the line settings read back, empty when the device did not open
    bool handshake = false;
    struct Answer {
        QString revision, maker, model;
        quint32 serial = 0;
    };
    std::optional<Answer> monitor; // who answered the identity request
    bool usable = false;
    QString problem;
    QString advice;
};

// Runs the checks on `path`, waiting at most one reply wait for an identity.
PortCheck CheckPort(const QString& path);
