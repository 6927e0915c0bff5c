#pragma once

#include <QString>

class CSimMonitor;

// The simulator's command prompt: one command line in, the answer out. Kept apart from
// the executable so that the commands can be tried without a terminal.
struct SimCommandResult {
    QString answer; // one or more lines, without a trailing line feed
    bool quit = false;
    bool ok = true;
};

SimCommandResult RunSimCommand(CSimMonitor& monitor, const QString& line);
// The list of commands, as "help" prints it.
QString SimCommandHelp();
