#include "cli/CommandLine.h"

namespace CommandLine {

namespace {

// The short options: -h (help) and -V (version). Other words with one dash are a
// command's (adjust hpos -5).
bool LooksLikeOption(const QString& word) {
    return word == QLatin1String("-h") || word == QLatin1String("-V") ||
           (word.startsWith("--") && word.size() > 2);
}

bool IsHelp(const QString& word) {
    return word == QLatin1String("-h") || word == QLatin1String("--help");
}

} // namespace

Split SplitArguments(const QStringList& arguments,
                     const std::function<OptionKind(const QString& option)>& kindOf) {
    Split split;
    if (arguments.isEmpty())
        return split;
    split.options << arguments.first();
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const bool haveCommand = !split.command.isEmpty();
        if (!optionsEnded && word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !LooksLikeOption(word)) {
            if (haveCommand)
                split.words << word;
            else
                split.command = word;
            continue;
        }
        if (haveCommand && IsHelp(word)) {
            split.commandHelp = true;
            continue;
        }
        const OptionKind kind = kindOf(word);
        if (haveCommand && kind == OptionKind::Unknown) {
            split.words << word;
            continue;
        }
        split.options << word;
        if (kind == OptionKind::TakesValue && !word.contains('=') && i + 1 < arguments.size())
            split.options << arguments[++i];
    }
    return split;
}

} // namespace CommandLine
