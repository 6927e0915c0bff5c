#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The desktop's own settings for screen blanking and monitor power saving: the computer's
// side of power saving, which the interval dialog's "Screen Saver" button opens.
struct SettingsProgram {
    QString program; // empty when the desktop has none installed
    QStringList arguments;
    bool IsFound() const { return !program.isEmpty(); }
};

// The settings program to start: the one of the running desktop (by the desktop names in
// `currentDesktop`, as XDG_CURRENT_DESKTOP gives them) when it is installed, else the first
// installed of all known ones. `findExecutable` resolves a program name to its path in
// PATH, empty when absent.
SettingsProgram
FindScreenSaverSettings(const QString& currentDesktop,
                        const std::function<QString(const QString&)>& findExecutable);
// The same for this session.
SettingsProgram FindScreenSaverSettings();
// Starts it detached, without a shell; the result is of no interest to the caller.
bool StartScreenSaverSettings(const SettingsProgram& settings);
