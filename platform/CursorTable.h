#pragma once

#include "platform/AnimatedCursor.h"
#include "platform/CursorFiles.h"

#include <QString>

#include <array>

// The cursors of the handle kinds 0..32, loaded once at start-up.
struct CursorTableEntry {
    const char* fileName;
    CAnimatedCursor cursor;
};
extern std::array<CursorTableEntry, kCursorFileCount> g_cursorTable;

// Loads the 33 cursor files, in kind order, from the cursor/ folder of the program folder.
// Stops at the first file that is missing or unreadable and returns false; the table then
// holds only the cursors before it.
bool LoadCursors();
// The same from a given folder (tests).
bool LoadCursorsFrom(const QString& cursorFolder);
