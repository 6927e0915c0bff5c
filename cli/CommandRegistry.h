#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CCliContext;

// The commands of qelt32ctl. Each command lives in a file of its group under cli/ and
// registers itself with a file-scope CCommandRegistrar; main() looks commands up here by
// name and `qelt32ctl help` lists them.
//
// Adding a command:
//   1. Create cli/<Group>Commands.cpp (or add to the file of its group). cli/CMakeLists.txt
//      compiles every cli/*.cpp straight into the program, so the new file needs no
//      build change and its registrar is always linked in.
//   2. Write the handler: `int Run(CCliContext& ctx)` (cli/CliContext.h). ctx.Args() holds
//      the words after the command name (global options such as --json and --port are
//      already taken out). Check every argument first and report bad input with
//      `return ctx.UsageError("...")` (cli/Arguments.h has the usual checks); then
//      `if (const int status = ctx.Connect(needs)) return status;` finds the monitor and
//      reads what `needs` names (cli/Session.h: the items the command uses; all of it when
//      left out), and ctx.Monitor() is the controller. Report a failed monitor operation
//      with `return ctx.MonitorFailed("...")` and return Exit::Ok on success
//      (cli/ExitStatus.h).
//   3. Register it:
//        namespace {
//        const CCommandRegistrar kStore({
//            .name = "store",
//            .synopsis = "store",
//            .summary = "keep the current adjustment in the monitor's memory",
//            .help = "Longer text shown by `qelt32ctl help store`.",
//            .run = RunStore,
//        });
//        } // namespace
//      With --json a command prints its result as one JSON object (ctx.Json(),
//      ctx.PrintJson) and says in .json what the object holds.
//   4. `qelt32ctl --help`, `help COMMAND`, the manual page and the bash completion are all
//      made from these entries (cli/docgen), so they cannot disagree.
struct CliCommand {
    QString name;
    QString synopsis; // the command with its arguments, e.g. "set NAME VALUE [NAME VALUE]..."
    QString summary;  // one line for the command list
    QString help;     // the full description; may span lines
    // With --json: what the one object it prints holds. Empty for a command whose output
    // stays text (help).
    QString json = {};
    // For completion, what each argument takes in turn: ITEM, FILE (any file),
    // SETTINGS-FILE, COMMAND, VALUE (nothing to offer) or the words it accepts separated by
    // blanks ("on off"). With repeatArguments the list starts again after its last entry.
    QStringList arguments = {};
    bool repeatArguments = false;
    // Options of the command's own (for completion): "--groups".
    QStringList options = {};
    std::function<int(CCliContext&)> run;
};

namespace CommandRegistry {
// Adds a command; a second command of the same name is a programming error (asserts).
void Add(CliCommand command);
// The command of that name, or nullptr.
const CliCommand* Find(const QString& name);
// All commands, sorted by name.
std::vector<const CliCommand*> All();
// The names of the commands that print JSON with --json, sorted.
QStringList TakingJson();
} // namespace CommandRegistry

// Registers one command during static initialisation.
struct CCommandRegistrar {
    explicit CCommandRegistrar(CliCommand command) { CommandRegistry::Add(std::move(command)); }
};
