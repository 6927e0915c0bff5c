#pragma once

#include "cli/CommandLine.h"

#include <QString>

class QCommandLineParser;

// The options of qelt32ctl that are not a command's own: the port choice shared with the
// desktop program, --json, --trace, --help and --version.
namespace GlobalOptions {

inline const QString kJson = QStringLiteral("json");
inline const QString kTrace = QStringLiteral("trace");
inline const QString kHelp = QStringLiteral("help");
inline const QString kVersion = QStringLiteral("version");

void Add(QCommandLineParser& parser);
// Whether a word is one of these options and whether it takes a value.
CommandLine::OptionKind KindOf(const QString& word);
// The options' descriptions as `--help` lists them.
QString Describe();

} // namespace GlobalOptions
