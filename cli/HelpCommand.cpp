#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/GlobalOptions.h"
#include "cli/Help.h"

#include <algorithm>

namespace Help {

QString General() {
    QString text = QStringLiteral(
        "Usage: qelt32ctl [OPTIONS] COMMAND [ARGUMENTS]\n\n"
        "Adjusts a CRT monitor over its serial maintenance cable: reads and sets its\n"
        "adjustment items, colour temperature and modes, runs its commands and follows\n"
        "the changes made with its own front-panel controls.\n\n"
        "Commands:\n");
    qsizetype width = 0;
    for (const CliCommand* command : CommandRegistry::All())
        width = std::max(width, command->name.size());
    for (const CliCommand* command : CommandRegistry::All())
        text += QStringLiteral("  %1  %2\n").arg(command->name, -int(width)).arg(command->summary);
    text += '\n' + GlobalOptions::Describe();
    text += QStringLiteral(
        "\nExit status:\n"
        "  0  success\n"
        "  1  the monitor did not answer or did not take a change\n"
        "  2  bad command line: unknown command or item, malformed or out-of-range value\n"
        "  3  no monitor found (or a flat panel), or the port could not be used\n"
        "  129, 130, 143  stopped by SIGHUP, SIGINT (Ctrl+C) or SIGTERM before it finished;\n"
        "     what it changed on the monitor is said on standard error\n\n"
        "'qelt32ctl help COMMAND' or 'qelt32ctl COMMAND --help' describes a command.\n");
    return text;
}

QString ForCommand(const CliCommand& command) {
    const QString summary = command.summary.left(1).toUpper() + command.summary.mid(1);
    QString text = QStringLiteral("Usage: qelt32ctl [OPTIONS] %1\n\n%2.\n\n%3\n")
                       .arg(command.synopsis, summary, command.help);
    if (!command.json.isEmpty())
        text += QStringLiteral("\nWith --json: %1\n").arg(command.json);
    return text;
}

} // namespace Help

namespace {

int RunHelp(CCliContext& ctx) {
    if (ctx.Args().size() > 1)
        return ctx.UsageError(QStringLiteral("give at most one command name"));
    if (ctx.Args().isEmpty()) {
        ctx.PrintLines(Help::General().trimmed());
        return Exit::Ok;
    }
    const CliCommand* command = CommandRegistry::Find(ctx.Args().first());
    if (!command)
        return ctx.UsageError(QStringLiteral("unknown command '%1'").arg(ctx.Args().first()));
    ctx.PrintLines(Help::ForCommand(*command).trimmed());
    return Exit::Ok;
}

const CCommandRegistrar kHelp({
    .name = QStringLiteral("help"),
    .synopsis = QStringLiteral("help [COMMAND]"),
    .summary = QStringLiteral("describe the program or one command"),
    .help = QStringLiteral("Without a command: the list of commands, the options and the exit\n"
                           "statuses. With one: what the command does and what it takes."),
    .arguments = {QStringLiteral("COMMAND")},
    .run = RunHelp,
});

} // namespace
