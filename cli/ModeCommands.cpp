// The monitor's modes, each one of a few named choices: colormode, power-save, input,
// detection, beep, and moire with its two switches.

#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "link/Monitor.h"

#include <QJsonObject>

#include <functional>

namespace {

// A mode shown and set as one of `choices`; the choice's position is the mode's number.
struct ChoiceMode {
    int item; // the item that must be available (the mode word for most)
    QStringList choices;
    std::function<int(const CMonitor&)> get;
    std::function<bool(CMonitor&, int choice)> set;
    // Why this monitor cannot take a choice; empty when it can.
    std::function<QString(const CMonitor&, int choice)> refuse = {};
};

// The word of a choice (its number when the monitor holds none of them); with --json
// {"value": WORD}.
void PrintChoice(CCliContext& ctx, const ChoiceMode& mode, int current) {
    const QString word = current >= 0 && current < mode.choices.size() ? mode.choices[current]
                                                                       : QString::number(current);
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("value"), word}});
    else
        ctx.Print(word);
}

int RunChoiceMode(CCliContext& ctx, const ChoiceMode& mode) {
    if (ctx.Args().size() > 1)
        return ctx.UsageError(
            QStringLiteral("give at most one of: %1").arg(mode.choices.join(", ")));
    std::optional<int> choice;
    if (!ctx.Args().isEmpty()) {
        QString error;
        choice = Arguments::Choice(ctx.Args().first(), mode.choices, &error);
        if (!choice)
            return ctx.UsageError(error);
    }
    if (const int status = ctx.Connect(CliNeeds::Items({Items::ModeWord, mode.item})))
        return status;
    CMonitor& monitor = ctx.Monitor();
    if (const int status = ctx.RequireAvailable(mode.item, ctx.CommandName() + " setting"))
        return status;

    if (!choice) {
        PrintChoice(ctx, mode, mode.get(monitor));
        return Exit::Ok;
    }
    if (mode.refuse) {
        const QString reason = mode.refuse(monitor, *choice);
        if (!reason.isEmpty())
            return ctx.UsageError(reason);
    }
    const QString refused =
        QStringLiteral("the monitor did not take %1").arg(mode.choices[*choice]);
    if (!mode.set(monitor, *choice))
        return ctx.MonitorFailed(refused);
    if (const int status = ctx.ConfirmTaken({mode.item}, refused))
        return status;
    if (ctx.Json())
        PrintChoice(ctx, mode, mode.get(monitor));
    return Exit::Ok;
}

bool RevisionB(const CMonitor& monitor) {
    return monitor.GetProtocolRevision() == 0;
}

// Input detection: 0 automatic with priority on D-SUB, 1 automatic with priority on BNC,
// 2 manual. Revision B has no BNC priority, and there the controller's "1" means manual.
const ChoiceMode kDetection{
    .item = Items::ModeWord,
    .choices = {QStringLiteral("auto"), QStringLiteral("auto-bnc"), QStringLiteral("manual")},
    .get = [](const CMonitor& monitor) { return monitor.GetInputDetection(); },
    .set =
        [](CMonitor& monitor, int choice) {
            if (RevisionB(monitor))
                return monitor.SetInputDetection(choice == 2 ? 1 : 0);
            return monitor.SetInputDetection(choice);
        },
    .refuse =
        [](const CMonitor& monitor, int choice) {
            return RevisionB(monitor) && choice == 1
                       ? QStringLiteral("this monitor detects the input only as auto or manual")
                       : QString();
        },
};

const ChoiceMode kColorMode{
    .item = Items::ColorMode,
    .choices = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
    .get = [](const CMonitor& monitor) { return int(monitor.Item(Items::ColorMode).current); },
    .set = [](CMonitor& monitor, int choice) { return monitor.SetColorMode(choice); },
};

const ChoiceMode kPowerSave{
    .item = Items::ModeWord,
    .choices = {QStringLiteral("vesa"), QStringLiteral("nutek"), QStringLiteral("off")},
    .get = [](const CMonitor& monitor) { return monitor.GetPowerSaveMode(); },
    .set = [](CMonitor& monitor, int choice) { return monitor.SetPowerSaveMode(choice); },
};

const ChoiceMode kInput{
    .item = Items::ModeWord,
    .choices = {QStringLiteral("dsub"), QStringLiteral("bnc")},
    .get = [](const CMonitor& monitor) { return monitor.GetInputSignal(); },
    .set = [](CMonitor& monitor, int choice) { return monitor.SetInputSignal(choice); },
};

const ChoiceMode kBeep{
    .item = Items::ModeWord,
    .choices = {QStringLiteral("off"), QStringLiteral("on")},
    .get = [](const CMonitor& monitor) { return int(monitor.GetBeep()); },
    .set = [](CMonitor& monitor, int choice) { return monitor.SetBeep(choice == 1); },
};

// The moire switches exist where the levels do: horizontal, vertical.
constexpr int kMoireLevelItem[2] = {18, 19};

// "h on" and "v n/a"; with --json {"h": true, "v": null}.
void PrintMoire(CCliContext& ctx, const CMonitor& monitor) {
    const bool state[2] = {monitor.GetHMoireOn(), monitor.GetVMoireOn()};
    const bool present[2] = {monitor.IsAvailable(kMoireLevelItem[0]),
                             monitor.IsAvailable(kMoireLevelItem[1])};
    if (ctx.Json()) {
        ctx.PrintJson({{QStringLiteral("h"), present[0] ? QJsonValue(state[0]) : QJsonValue()},
                       {QStringLiteral("v"), present[1] ? QJsonValue(state[1]) : QJsonValue()}});
        return;
    }
    for (int d = 0; d < 2; ++d)
        ctx.Print(QStringLiteral("%1 %2")
                      .arg(d == 0 ? 'h' : 'v')
                      .arg(!present[d] ? QStringLiteral("n/a")
                           : state[d]  ? QStringLiteral("on")
                                       : QStringLiteral("off")));
}

// moire [h|v on|off]: without words both switches are shown.
int RunMoire(CCliContext& ctx) {
    const QStringList& args = ctx.Args();
    if (!args.isEmpty() && args.size() != 2)
        return ctx.UsageError(QStringLiteral("give a direction (h or v) and on or off"));
    std::optional<int> direction, on;
    if (!args.isEmpty()) {
        QString error;
        direction = Arguments::Choice(args[0], {QStringLiteral("h"), QStringLiteral("v")}, &error);
        if (direction)
            on = Arguments::Choice(args[1], {QStringLiteral("off"), QStringLiteral("on")}, &error);
        if (!direction || !on)
            return ctx.UsageError(error);
    }
    const int levelItem[2] = {18, 19}; // the switches exist where the levels do
    if (const int status =
            ctx.Connect(CliNeeds::Items({Items::ModeWord, levelItem[0], levelItem[1]})))
        return status;
    CMonitor& monitor = ctx.Monitor();

    if (!direction) {
        PrintMoire(ctx, monitor);
        return Exit::Ok;
    }
    const QString what = *direction == 0 ? QStringLiteral("horizontal moire reduction")
                                         : QStringLiteral("vertical moire reduction");
    if (const int status = ctx.RequireAvailable(kMoireLevelItem[*direction], what))
        return status;
    const bool ok = *direction == 0 ? monitor.SetHMoireOn(*on == 1) : monitor.SetVMoireOn(*on == 1);
    const QString refused = QStringLiteral("the monitor did not take the change");
    if (!ok)
        return ctx.MonitorFailed(refused);
    if (const int status = ctx.ConfirmTaken({Items::ModeWord}, refused))
        return status;
    if (ctx.Json())
        PrintMoire(ctx, monitor);
    return Exit::Ok;
}

const CCommandRegistrar kColorModeCommand({
    .name = QStringLiteral("colormode"),
    .synopsis = QStringLiteral("colormode [1|2|3]"),
    .summary = QStringLiteral("show or choose the colour mode"),
    .help = QStringLiteral("Without an argument prints the colour mode (1, 2 or 3); with one\n"
                           "switches the monitor to it, which brings the colour values of that\n"
                           "mode."),
    .json = QStringLiteral("{\"value\": WORD}: the colour mode, or after a change the one the\n"
                           "monitor then holds: 1, 2 or 3."),
    .arguments = {QStringLiteral("1 2 3")},
    .run = [](CCliContext& ctx) { return RunChoiceMode(ctx, kColorMode); },
});

const CCommandRegistrar kPowerSaveCommand({
    .name = QStringLiteral("power-save"),
    .synopsis = QStringLiteral("power-save [vesa|nutek|off]"),
    .summary = QStringLiteral("show or choose the power-saving method"),
    .help = QStringLiteral("Without an argument prints the power-saving method: vesa (VESA DPMS),\n"
                           "nutek (NUTEK) or off; with one switches to it."),
    .json = QStringLiteral("{\"value\": WORD}: the method, or after a change the one the\n"
                           "monitor then holds: vesa, nutek or off."),
    .arguments = {QStringLiteral("vesa nutek off")},
    .run = [](CCliContext& ctx) { return RunChoiceMode(ctx, kPowerSave); },
});

const CCommandRegistrar kInputCommand({
    .name = QStringLiteral("input"),
    .synopsis = QStringLiteral("input [dsub|bnc]"),
    .summary = QStringLiteral("show or choose the input signal"),
    .help = QStringLiteral("Without an argument prints the input in use (dsub or bnc); with one\n"
                           "switches to it."),
    .json = QStringLiteral("{\"value\": WORD}: the input, or after a change the one the\n"
                           "monitor then holds: dsub or bnc."),
    .arguments = {QStringLiteral("dsub bnc")},
    .run = [](CCliContext& ctx) { return RunChoiceMode(ctx, kInput); },
});

const CCommandRegistrar kDetectionCommand({
    .name = QStringLiteral("detection"),
    .synopsis = QStringLiteral("detection [auto|auto-bnc|manual]"),
    .summary = QStringLiteral("show or choose how the input is detected"),
    .help = QStringLiteral("auto: automatic, D-SUB first; auto-bnc: automatic, BNC first (not on\n"
                           "revision-B monitors); manual: the input chosen with `input`.\n"
                           "Without an argument prints the current one."),
    .json = QStringLiteral("{\"value\": WORD}: the detection, or after a change the one the\n"
                           "monitor then holds: auto, auto-bnc or manual."),
    .arguments = {QStringLiteral("auto auto-bnc manual")},
    .run = [](CCliContext& ctx) { return RunChoiceMode(ctx, kDetection); },
});

const CCommandRegistrar kBeepCommand({
    .name = QStringLiteral("beep"),
    .synopsis = QStringLiteral("beep [on|off]"),
    .summary = QStringLiteral("show or switch the monitor's beep"),
    .help = QStringLiteral("Without an argument prints on or off; with one switches the beep the\n"
                           "monitor gives on its own controls."),
    .json = QStringLiteral("{\"value\": WORD}: the beep, or after a change the one the\n"
                           "monitor then holds: on or off."),
    .arguments = {QStringLiteral("on off")},
    .run = [](CCliContext& ctx) { return RunChoiceMode(ctx, kBeep); },
});

const CCommandRegistrar kMoireCommand({
    .name = QStringLiteral("moire"),
    .synopsis = QStringLiteral("moire [h|v on|off]"),
    .summary = QStringLiteral("show or switch moire reduction"),
    .help = QStringLiteral("Without arguments prints \"h on|off\" and \"v on|off\" (n/a where the\n"
                           "monitor has no reduction in that direction); `moire h on` switches\n"
                           "horizontal reduction on. The strength is the item hmoire or vmoire."),
    .json = QStringLiteral("{\"h\", \"v\"}: true when reduction is on in that direction, null\n"
                           "where the monitor has none; shown after a change too."),
    .arguments = {QStringLiteral("h v"), QStringLiteral("on off")},
    .run = RunMoire,
});

} // namespace
