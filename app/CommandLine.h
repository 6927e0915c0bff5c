#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class CSimServer;

// What the command line asks of a start: the settings file to open, whether the start-up
// picture is shown, where the serial ports are (or a simulated monitor), and optionally a
// screenshot to take once the window has settled.
struct StartupOptions {
    bool splash = true;
    QString file;
    QString screenshotPath;
    QString screenshotOf = QStringLiteral("main"); // see ScreenshotTargets()
    bool help = false;
    QString helpText;
    bool version = false;
};

// Whether the command line asks only for text (--help, --version): such a start needs no
// display and opens no window.
bool AsksForTextOnly(const QStringList& arguments);

// What --screenshot-of accepts.
QStringList ScreenshotTargets();

// Parses the program's arguments (the program's name first) and applies the port options
// (which may start a simulated monitor in `sim`). False, with a one-line reason, when the
// command line cannot be processed.
bool ParseCommandLine(const QStringList& arguments, StartupOptions& options,
                      std::unique_ptr<CSimServer>& sim, QString* error);
