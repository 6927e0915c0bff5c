#pragma once

#include <QString>

// Text of the command table as manual-page source (man(7) macros).
namespace Roff {

// Plain text, line by line: backslashes and option dashes escaped, a line that would be
// read as a request guarded, `command` quotes set in bold.
QString Text(const QString& text);
// A synopsis such as "set ITEM VALUE [ITEM VALUE]...": words to type in bold, words to
// replace in italics, brackets, bars and dots upright.
QString Synopsis(const QString& synopsis);

} // namespace Roff
