#pragma once

#include <QString>

// Text from outside the program (arguments, file names, what a device reports) on the
// terminal: control characters are shown as escapes ("\x1b", "\n"), never written raw, so
// a file name cannot move the cursor, clear the screen or retitle the window.
namespace TerminalText {
QString EscapeControls(const QString& text);
} // namespace TerminalText
