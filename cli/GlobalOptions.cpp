#include "cli/GlobalOptions.h"

#include "cli/CommandRegistry.h"
#include "sim/PortOptions.h"

#include <QCommandLineParser>

namespace GlobalOptions {

void Add(QCommandLineParser& parser) {
    AddPortOptions(parser);
    parser.addOption({kJson, QStringLiteral("Print the result as one JSON object (watch: one per "
                                            "line; `help COMMAND` describes it). Taken by: %1.")
                                 .arg(CommandRegistry::TakingJson().join(QStringLiteral(", ")))});
    parser.addOption({kTrace, QStringLiteral("Print every frame sent and received, with the time, "
                                             "on standard error.")});
    parser.addOption({{QStringLiteral("h"), kHelp},
                      QStringLiteral("Show this help, or a "
                                     "command's help.")});
    parser.addOption(
        {{QStringLiteral("V"), kVersion}, QStringLiteral("Show the program's version.")});
}

CommandLine::OptionKind KindOf(const QString& word) {
    // The parser itself knows best: an unknown word is reported as such, an option that
    // wants a value fails for lack of one.
    QCommandLineParser probe;
    Add(probe);
    const bool parsed = probe.parse({QStringLiteral("qelt32ctl"), word});
    if (!probe.unknownOptionNames().isEmpty())
        return CommandLine::OptionKind::Unknown;
    return parsed ? CommandLine::OptionKind::Flag : CommandLine::OptionKind::TakesValue;
}

QString Describe() {
    QCommandLineParser parser;
    Add(parser);
    const QString text = parser.helpText();
    const qsizetype options = text.indexOf(QLatin1String("Options:"));
    return options < 0 ? text : text.mid(options);
}

} // namespace GlobalOptions
