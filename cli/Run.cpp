#include "cli/Run.h"

#include "cli/CliContext.h"
#include "cli/CliMessages.h"
#include "cli/CommandLine.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/GlobalOptions.h"
#include "cli/Help.h"
#include "cli/Session.h"
#include "sim/PortOptions.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

void PrintOut(const QString& text) {
    std::fprintf(stdout, "%s\n", qUtf8Printable(text.trimmed()));
}

} // namespace

int RunQelt32Ctl(const QStringList& arguments, ISerialPort* port) {
    const CommandLine::Split split =
        CommandLine::SplitArguments(NormalizePortArguments(arguments), GlobalOptions::KindOf);
    QCommandLineParser parser;
    GlobalOptions::Add(parser);
    if (!parser.parse(split.options)) {
        PrintError(parser.errorText());
        return Exit::Usage;
    }
    if (parser.isSet(GlobalOptions::kVersion)) {
        PrintOut(QStringLiteral("qelt32ctl %1").arg(QCoreApplication::applicationVersion()));
        return Exit::Ok;
    }
    if (split.command.isEmpty()) {
        if (parser.isSet(GlobalOptions::kHelp)) {
            PrintOut(Help::General());
            return Exit::Ok;
        }
        PrintError(QStringLiteral("no command given; 'qelt32ctl help' lists them"));
        return Exit::Usage;
    }
    const CliCommand* command = CommandRegistry::Find(split.command);
    if (!command) {
        PrintError(
            QStringLiteral("unknown command '%1'; 'qelt32ctl help' lists them").arg(split.command));
        return Exit::Usage;
    }
    if (split.commandHelp || parser.isSet(GlobalOptions::kHelp)) {
        PrintOut(Help::ForCommand(*command));
        return Exit::Ok;
    }

    CCliMessages messages;
    SetUserMessages(&messages);
    std::unique_ptr<CSimServer> sim;
    QString error;
    if (!ApplyPortOptions(parser, sim, &error)) {
        PrintError(error);
        SetUserMessages(nullptr);
        return Exit::Usage;
    }
    int status = Exit::Ok;
    {
        CCliSession session(std::move(sim), parser.isSet(GlobalOptions::kTrace), port);
        CCliContext context(*command, split.words, parser.isSet(GlobalOptions::kJson), session);
        status = command->run(context);
    }
    SetUserMessages(nullptr);
    // A communication failure the user was told of is never followed by a success status,
    // even where a retry got through in the end.
    if (status == Exit::Ok && messages.Failures() > 0)
        status = Exit::Failure;
    return status;
}
