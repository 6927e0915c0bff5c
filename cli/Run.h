#pragma once

#include <QStringList>

class ISerialPort;

// One run of qelt32ctl: the program's arguments in, its exit status out (cli/ExitStatus.h).
// `port` replaces the serial port the controller would open (not owned; tests and the
// fuzz target give an in-process one).
int RunQelt32Ctl(const QStringList& arguments, ISerialPort* port = nullptr);
