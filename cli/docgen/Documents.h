#pragma once

#include <QString>

// The parts of qelt32ctl's manual page and bash completion made from its command table and
// its options, so that they say what `qelt32ctl --help` says. Each fills one marker line of
// its template (res/man/qelt32ctl.1.in, res/completion/qelt32ctl.in).
namespace Documents {

// The marker lines.
inline const QString kManCommandsMarker = QStringLiteral(".\\\" generated: commands");
inline const QString kManJsonMarker = QStringLiteral(".\\\" generated: json option");
inline const QString kCompletionMarker = QStringLiteral("# generated: command table");

// The COMMANDS section's entries: synopsis, description and the --json object of each.
QString ManCommands();
// The --json option's entry, naming the commands that take it.
QString ManJsonOption();
// The bash definitions the completion works from: the options, the item names, the
// commands, and what each command's arguments and options take.
QString CompletionTable();

// `templateText` with each marker line replaced by its text; empty when a marker is
// missing (the template and this program no longer match).
QString Fill(const QString& templateText, const QList<std::pair<QString, QString>>& parts);

} // namespace Documents
