// The monitor's one-shot commands: degauss, autosize, reset and store.

#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "link/Monitor.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <functional>

namespace {

// A command without arguments that runs one operation of the controller; with --json it
// then prints `result` of the monitor.
int RunAction(CCliContext& ctx, const std::function<bool(CMonitor&)>& action,
              const std::function<QJsonObject(const CMonitor&)>& result, int requiredItem = -1,
              const QString& requiredWhat = QString()) {
    if (!ctx.Args().isEmpty())
        return ctx.UsageError(
            QStringLiteral("takes no arguments (got '%1')").arg(ctx.Args().first()));
    if (const int status =
            ctx.Connect(requiredItem >= 0 ? CliNeeds::Items({requiredItem}) : CliNeeds{}))
        return status;
    if (requiredItem >= 0)
        if (const int status = ctx.RequireAvailable(requiredItem, requiredWhat))
            return status;
    if (!action(ctx.Monitor()))
        return ctx.MonitorFailed(QStringLiteral("the monitor did not take the command"));
    if (ctx.Json())
        ctx.PrintJson(result(ctx.Monitor()));
    return Exit::Ok;
}

// The picture's size and position, which automatic sizing changes.
QJsonObject SizeAndPosition(const CMonitor& monitor) {
    QJsonArray items;
    for (int item : {Items::HSize, Items::HPos, Items::VSize, Items::VPos})
        items.append(ItemFormat::Object(monitor, item));
    return {{QStringLiteral("items"), items}};
}

// Reset groups in the controller's numbering; the last word is the other spelling of the
// colour group.
const QStringList kResetGroups = {QStringLiteral("all"), QStringLiteral("geometry"),
                                  QStringLiteral("convergence"), QStringLiteral("color"),
                                  QStringLiteral("colour")};
constexpr int kColorGroup = 3;

int RunReset(CCliContext& ctx) {
    if (ctx.Args().size() != 1)
        return ctx.UsageError(QStringLiteral("give one of: all, geometry, convergence, color"));
    QString error;
    const std::optional<int> group = Arguments::Choice(ctx.Args().first(), kResetGroups, &error);
    if (!group)
        return ctx.UsageError(error);
    // The reset reads back the groups it changed by itself.
    if (const int status = ctx.Connect({}))
        return status;
    if (!ctx.Monitor().ResetGroup(std::min(*group, kColorGroup)))
        return ctx.MonitorFailed(QStringLiteral("the monitor did not take the reset"));
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("reset"), kResetGroups[std::min(*group, kColorGroup)]}});
    return Exit::Ok;
}

const CCommandRegistrar kDegauss({
    .name = QStringLiteral("degauss"),
    .synopsis = QStringLiteral("degauss"),
    .summary = QStringLiteral("degauss the picture tube"),
    .help = QStringLiteral("Tells the monitor to degauss; it answers nothing."),
    .json = QStringLiteral("{\"degaussed\": true} once the command was sent."),
    .run =
        [](CCliContext& ctx) {
            return RunAction(ctx, &CMonitor::Degauss, [](const CMonitor&) {
                return QJsonObject{{QStringLiteral("degaussed"), true}};
            });
        },
});

const CCommandRegistrar kAutoSize({
    .name = QStringLiteral("autosize"),
    .synopsis = QStringLiteral("autosize"),
    .summary = QStringLiteral("let the monitor size the picture itself"),
    .help = QStringLiteral("Starts the monitor's automatic sizing, waits the 3 seconds it takes\n"
                           "and reads the new size and position. Refused by monitors that cannot\n"
                           "size automatically."),
    .json = QStringLiteral("{\"items\": [ITEM...]}: hsize, hpos, vsize and vpos as read after the\n"
                           "sizing, ITEM as for get."),
    .run =
        [](CCliContext& ctx) {
            return RunAction(ctx, &CMonitor::AutoSize, SizeAndPosition, Items::AutoSizeItem,
                             QStringLiteral("automatic sizing"));
        },
});

const CCommandRegistrar kReset({
    .name = QStringLiteral("reset"),
    .synopsis = QStringLiteral("reset all|geometry|convergence|color"),
    .summary = QStringLiteral("put a group of values back to the factory settings"),
    .help = QStringLiteral(
        "all: every adjustment; geometry: size, position and distortion; convergence:\n"
        "convergence, tilt and moire; color: the colour values. The monitor's memory keeps\n"
        "the result only after `qelt32ctl store`."),
    .json = QStringLiteral("{\"reset\": GROUP}: the group put back (colour is given as color)."),
    .arguments = {QStringLiteral("all geometry convergence color")},
    .run = RunReset,
});

const CCommandRegistrar kStore({
    .name = QStringLiteral("store"),
    .synopsis = QStringLiteral("store"),
    .summary = QStringLiteral("keep the current adjustment in the monitor's memory"),
    .help = QStringLiteral("Tells the monitor to keep every current value in its own memory, so\n"
                           "that it comes back after the monitor is switched off and on."),
    .json = QStringLiteral("{\"stored\": true} once the command was sent."),
    .run =
        [](CCliContext& ctx) {
            return RunAction(
                ctx, [](CMonitor& monitor) { return monitor.StoreInMemory(true); },
                [](const CMonitor&) {
                    return QJsonObject{{QStringLiteral("stored"), true}};
                });
        },
});

} // namespace
