#include "cli/docgen/Documents.h"

#include "cli/CommandRegistry.h"
#include "cli/GlobalOptions.h"
#include "cli/ItemFormat.h"
#include "cli/docgen/Roff.h"
#include "link/Monitor.h"

#include <QRegularExpression>
#include <QStringList>

namespace Documents {

namespace {

// The long options --help lists, with whether each takes a value.
struct LongOption {
    QString name;
    bool takesValue;
};

std::vector<LongOption> GlobalLongOptions() {
    static const QRegularExpression line(
        QStringLiteral("^\\s+(?:-\\S+, )*(--[a-z][a-z-]*)( <[^>]+>)?"),
        QRegularExpression::MultilineOption);
    std::vector<LongOption> options;
    auto it = line.globalMatch(GlobalOptions::Describe());
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        options.push_back({match.captured(1), match.capturedLength(2) > 0});
    }
    return options;
}

// A word list for a bash single-quoted string.
QString Quoted(const QString& text) {
    QString inner = text;
    inner.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

} // namespace

QString ManCommands() {
    QStringList entries;
    for (const CliCommand* command : CommandRegistry::All()) {
        QString entry = QStringLiteral(".TP\n.B %1\n").arg(Roff::Synopsis(command->synopsis));
        entry += Roff::Text(command->help);
        if (!command->json.isEmpty())
            entry += QStringLiteral("\n.IP\nWith \\fB\\-\\-json\\fR: ") + Roff::Text(command->json);
        entries << entry;
    }
    return entries.join(QLatin1Char('\n'));
}

QString ManJsonOption() {
    QStringList names;
    for (const QString& name : CommandRegistry::TakingJson())
        names << QStringLiteral("\\fB%1\\fR").arg(QString(name).replace('-', "\\-"));
    return QStringLiteral(".TP\n.B \\-\\-json\n"
                          "Print the result as one JSON object\n"
                          "(\\fBwatch\\fR: one object per line), as each command's entry below "
                          "says.\nTaken by %1.")
        .arg(names.join(QStringLiteral(", ")));
}

QString CompletionTable() {
    QStringList all, valued, names;
    for (const LongOption& option : GlobalLongOptions()) {
        all << option.name;
        if (option.takesValue)
            valued << option.name;
    }
    QStringList items;
    for (int item = 0; item < Items::kCount; ++item)
        items << ItemFormat::Name(item);
    QString table =
        QStringLiteral("_qelt32ctl_options=%1\n_qelt32ctl_value_options=%2\n"
                       "_qelt32ctl_items=%3\n")
            .arg(Quoted(all.join(' ')), Quoted(valued.join(' ')), Quoted(items.join(' ')));
    QString arguments, options;
    for (const CliCommand* command : CommandRegistry::All()) {
        names << command->name;
        QStringList takes = command->arguments;
        if (command->repeatArguments)
            takes << QStringLiteral("...");
        if (!takes.isEmpty())
            arguments += QStringLiteral("    %1) echo %2 ;;\n")
                             .arg(command->name, Quoted(takes.join(QLatin1Char('|'))));
        if (!command->options.isEmpty())
            options += QStringLiteral("    %1) echo %2 ;;\n")
                           .arg(command->name, Quoted(command->options.join(' ')));
    }
    table += QStringLiteral("_qelt32ctl_commands=%1\n").arg(Quoted(names.join(' ')));
    table +=
        QStringLiteral("# What each argument of COMMAND takes in turn, \"|\" between them; a last "
                       "\"...\" starts\n# the list again.\n"
                       "_qelt32ctl_command_arguments() {\n    case $1 in\n%1    esac\n}\n")
            .arg(arguments);
    table += QStringLiteral("# The options of COMMAND's own.\n"
                            "_qelt32ctl_command_options() {\n    case $1 in\n%1    esac\n}")
                 .arg(options);
    return table;
}

QString Fill(const QString& templateText, const QList<std::pair<QString, QString>>& parts) {
    QStringList lines = templateText.split(QLatin1Char('\n'));
    for (const auto& [marker, text] : parts) {
        const qsizetype at = lines.indexOf(marker);
        if (at < 0)
            return QString();
        lines[at] = text;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace Documents
