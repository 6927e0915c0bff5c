// The colour temperature: read as a step of the monitor's scale, set by step or Kelvin.

#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "link/ColorTempMath.h"
#include "link/Monitor.h"

#include <QJsonObject>

namespace {

// "6500K step 25", or {"kelvin":6500,"step":25}; a negative step is none.
void PrintTemperature(CCliContext& ctx, int step, bool revisionB) {
    if (ctx.Json()) {
        const bool none = step < 0;
        ctx.PrintJson({{QStringLiteral("kelvin"),
                        none ? QJsonValue() : QJsonValue(ColorTemp::KelvinOfStep(step, revisionB))},
                       {QStringLiteral("step"), none ? QJsonValue() : QJsonValue(step)}});
    } else if (step < 0) {
        ctx.Print(QStringLiteral("none (the colour values match no step of the scale)"));
    } else {
        ctx.Print(
            QStringLiteral("%1K step %2").arg(ColorTemp::KelvinOfStep(step, revisionB)).arg(step));
    }
}

int RunColorTemp(CCliContext& ctx) {
    if (ctx.Args().size() > 1)
        return ctx.UsageError(QStringLiteral("give at most one step or temperature"));
    std::optional<Arguments::ColorTempWord> word;
    QString error;
    if (!ctx.Args().isEmpty()) {
        word = Arguments::ColorTemp(ctx.Args().first(), &error);
        if (!word)
            return ctx.UsageError(error);
    }
    // The step comes from the colour values, the mode word's custom bit and the preset, and
    // the tables that relate them.
    if (const int status = ctx.Connect({.items = {Items::ModeWord, Items::ColorPreset},
                                        .colorGroup = true,
                                        .colorTables = true}))
        return status;
    CMonitor& monitor = ctx.Monitor();
    const bool revisionB = monitor.GetProtocolRevision() == 0;

    if (!word) {
        PrintTemperature(ctx, monitor.GetColorTemp(), revisionB);
        return Exit::Ok;
    }
    const std::optional<int> step = Arguments::ColorTempStep(*word, revisionB, &error);
    if (!step)
        return ctx.UsageError(error);
    const QString refused = QStringLiteral("the monitor did not take every colour value");
    if (!monitor.SetColorTemp(*step))
        return ctx.MonitorFailed(refused);
    // Beyond revision B the mode word's colour bit and the preset index change too, unchecked.
    if (!revisionB)
        if (const int status = ctx.ConfirmTaken({Items::ModeWord, Items::ColorPreset}, refused))
            return status;
    if (ctx.Json())
        PrintTemperature(ctx, *step, revisionB);
    return Exit::Ok;
}

const CCommandRegistrar kColorTemp({
    .name = QStringLiteral("colortemp"),
    .synopsis = QStringLiteral("colortemp [STEP | KELVIN]"),
    .summary = QStringLiteral("show or set the colour temperature"),
    .help = QStringLiteral(
        "Without an argument prints the temperature the colour values correspond to, as\n"
        "\"6500K step 25\", or \"none\" when they match no step (after a change of a single\n"
        "gain, say).\n"
        "With one sets it: a temperature as 6500K, or as a plain number from 4000 up, or a\n"
        "step of the monitor's scale. The scale runs from 4000K to 10000K in steps of 100K\n"
        "(steps 0..60); revision-B monitors have 6500K, 7000K, 7500K, 8000K, 8500K, 9000K\n"
        "and 9300K (steps 0..6). Other temperatures are refused."),
    .json = QStringLiteral("{\"kelvin\", \"step\"}: the temperature shown or set; both null when\n"
                           "the colour values match no step."),
    .arguments = {QStringLiteral("VALUE")},
    .run = RunColorTemp,
});

} // namespace
