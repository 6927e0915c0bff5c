#include "cli/Run.h"

#include "cli/CliContext.h"
#include "cli/CliMessages.h"
#include "cli/CommandLine.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/GlobalOptions.h"
#include "cli/Help.h"
#include "cli/ItemFormat.h"
#include "cli/Session.h"
#include "cli/StopSignals.h"
#include "link/Monitor.h"
#include "sim/PortOptions.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

void PrintOut(const QString& text) {
    std::fprintf(stdout, "%s\n", qUtf8Printable(text.trimmed()));
}

// What a command stopped by a signal leaves on the monitor: every item that now differs from
// what was read when the run found it (nothing of a run that never found it).
QString StopReport(const QString& command, int signalNumber, const CMonitor* monitor) {
    QStringList changes;
    for (int item = 0; monitor && item < Items::kCount; ++item) {
        const MonItem& it = monitor->Item(item);
        if (it.current != it.stored)
            changes << QStringLiteral("%1 %2 (was %3)")
                           .arg(ItemFormat::Name(item))
                           .arg(it.current)
                           .arg(it.stored);
    }
    return QStringLiteral("%1: stopped by %2 before it finished; %3; the port is given back")
        .arg(command, CStopSignals::Name(signalNumber),
             changes.isEmpty() ? QStringLiteral("nothing on the monitor was changed")
                               : QStringLiteral("changed on the monitor: %1")
                                     .arg(changes.join(QStringLiteral(", "))));
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
    QString stopReport;
    // Outlives the session, so that a signal while the port is given back cannot cut that.
    CStopSignals stopSignals;
    {
        CCliSession session(std::move(sim), parser.isSet(GlobalOptions::kTrace), port);
        CCliContext context(*command, split.words, parser.isSet(GlobalOptions::kJson), session);
        status = command->run(context);
        if (const int signal = CStopSignals::Received(); signal && !stopSignals.IsNormalEnd()) {
            stopReport = StopReport(command->name, signal, session.ConnectedMonitor());
            status = CStopSignals::ExitStatus(signal);
        }
    }
    SetUserMessages(nullptr);
    if (!stopReport.isEmpty()) {
        PrintStopReport(stopReport);
        return status;
    }
    // A communication failure the user was told of is never followed by a success status,
    // even where a retry got through in the end.
    if (status == Exit::Ok && messages.Failures() > 0)
        status = Exit::Failure;
    return status;
}
