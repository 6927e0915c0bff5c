#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QCommandLineParser;
class CSimServer;

// The port options shared by qelt32 and qelt32ctl:
//   --port PATH           probe only this device
//   --ports P0,P1,P2,P3   the devices of the four port slots (COM1..COM4)
//   --simulate[=PROFILE]  serve a simulated monitor (profile "revC" unless named) on a
//                         pseudo-terminal and probe only that
//   --sim-unpaced         the simulated monitor answers without 9600-baud line time
//
// QCommandLineParser has no options with an optional value, so the arguments go through
// NormalizePortArguments() first: it turns "--simulate=PROFILE" into "--simulate
// --sim-profile PROFILE" ("--sim-profile PROFILE" may also be given directly).
//
//     parser.process(NormalizePortArguments(app.arguments()));

void AddPortOptions(QCommandLineParser& parser);
QStringList NormalizePortArguments(const QStringList& arguments);

// Loads the profile's port overrides, then applies the options to PortMap(). With
// --simulate it starts `sim` and points slot 0 at it (the other slots are emptied). False,
// with a one-line reason in `error`, on bad input (an unknown profile, more than four
// ports or none, --port with --ports or --simulate) or when the simulator cannot start.
bool ApplyPortOptions(const QCommandLineParser& parser, std::unique_ptr<CSimServer>& sim,
                      QString* error);
