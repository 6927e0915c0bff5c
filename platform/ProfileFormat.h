#pragma once

#include <QByteArray>

// The shape of the profile's text as QSettings' INI reader needs it to read each line as
// written. That reader takes an unclosed quote or a trailing backslash as the start of a
// value that runs on over the following lines, so one bad line would swallow the sections
// after it and the next write would store them as that value.
namespace ProfileFormat {

// The number (from 1) of the first line QSettings would not read as written, 0 when there
// is none: text that is not UTF-8 or holds control characters, a section header without
// its closing bracket, a line that is neither a comment, a header nor "key=value", and a
// line with an unclosed quote or ending in a backslash.
int FirstBadLine(const QByteArray& text);

// The lines that read as written: bad lines are left out, and so are the lines of a
// section whose header is bad, which would otherwise land in the section before it.
QByteArray ReadableLines(const QByteArray& text);

} // namespace ProfileFormat
