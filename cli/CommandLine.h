#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Separates the program's own options from the command and its words, so that options
// may stand before or after the command ("qelt32ctl dump --json") while the command's
// words may look like options ("adjust hpos -5").
//
// Before the command every "--name", "-h" or "-V" word is an option. After it, only options the
// program knows are taken out; anything else is left to the command. "--" ends the
// options: what follows belongs to the command.
namespace CommandLine {

enum class OptionKind { Unknown, Flag, TakesValue };

struct Split {
    QStringList options;      // the program name first, as QCommandLineParser expects
    QString command;          // empty when none was given
    QStringList words;        // the command's words
    bool commandHelp = false; // --help or -h after the command
};

Split SplitArguments(const QStringList& arguments,
                     const std::function<OptionKind(const QString& option)>& kindOf);

} // namespace CommandLine
