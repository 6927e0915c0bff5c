#pragma once

#include <QString>

// The program's string table: every user-visible text keyed by its resource id, English
// as written, translated through Qt Linguist (context "StringTable") for the user's
// language. An unknown id gives an empty string.
QString LoadAppString(int id);

// The English text of an id, untranslated (for tests and for the trace).
QString LoadAppStringEnglish(int id);

// Ids of the strings the link layer shows.
namespace Str {
constexpr int NoMonitor = 61206;
constexpr int CommFailure = 61207;
constexpr int FlatPanel = 61228;
} // namespace Str
