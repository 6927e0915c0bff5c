#pragma once

// What the program asks of the operating system's version. On Linux there is no
// Windows-95-style event wait (the watcher always waits in poll()), and the desktop has
// the "new shell" features (Explorer-style open dialog, minimised-state menu entries).
// Tests flip these to reach both branches.
struct PlatformFlags {
    bool isWindows95 = false;
    bool newShell = true;
};

PlatformFlags& Platform();
