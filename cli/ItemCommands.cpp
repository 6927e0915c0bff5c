// Reading and changing single items by name: get, set and adjust.

#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "link/Monitor.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

// The controller clamps items up to sub-contrast to their maximum; the mode items above
// are sent as given, so a value the monitor cannot hold is refused instead.
constexpr int kLastClampedItem = 29;

std::optional<int> ParseItem(CCliContext& ctx, const QString& word, int* status) {
    QString error;
    const std::optional<int> item = Arguments::Item(word, &error);
    if (!item)
        *status = ctx.UsageError(error);
    return item;
}

// Writes one item and prints what the monitor then holds (with --json: adds it to
// `written`). The controller sends the mode items without reading them back, so here they
// are read back once.
int WriteAndShow(CCliContext& ctx, int item, std::uint16_t value, QJsonArray& written) {
    CMonitor& monitor = ctx.Monitor();
    const QString refused =
        QStringLiteral("%1: the monitor did not take %2").arg(ItemFormat::Name(item)).arg(value);
    if (!monitor.WriteItem(item, value))
        return ctx.MonitorFailed(refused);
    // Auto-sizing is a trigger, not a setting: there is nothing to compare.
    const bool unchecked = item > kLastClampedItem && item != Items::AutoSizeItem;
    if (unchecked && !monitor.ReadItem(item))
        return ctx.MonitorFailed(refused);
    if (ctx.Json())
        written.append(ItemFormat::Object(monitor, item));
    else
        ctx.Print(ItemFormat::ValueLine(monitor, item));
    if (unchecked && monitor.Item(item).current != value)
        return ctx.MonitorFailed(refused);
    return Exit::Ok;
}

// With --json, the items written so far as one object, whatever the status: a script sees
// what changed before a failure.
int PrintWritten(CCliContext& ctx, const QJsonArray& written, int status) {
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("items"), written}});
    return status;
}

int RunGet(CCliContext& ctx) {
    if (ctx.Args().isEmpty())
        return ctx.UsageError(QStringLiteral("name at least one item"));
    std::vector<int> items;
    for (const QString& word : ctx.Args()) {
        int status = Exit::Ok;
        const std::optional<int> item = ParseItem(ctx, word, &status);
        if (!item)
            return status;
        items.push_back(*item);
    }
    if (const int status = ctx.Connect(CliNeeds::Items(items)))
        return status;
    const CMonitor& monitor = ctx.Monitor();

    int status = Exit::Ok;
    QJsonArray objects;
    for (int item : items) {
        if (const int missing = ctx.RequireAvailable(item)) {
            status = missing;
            continue;
        }
        if (ctx.Json())
            objects.append(ItemFormat::Object(monitor, item));
        else
            ctx.Print(ItemFormat::ValueLine(monitor, item));
    }
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("items"), objects}});
    return status;
}

int RunSet(CCliContext& ctx) {
    const QStringList& args = ctx.Args();
    if (args.isEmpty() || args.size() % 2 != 0)
        return ctx.UsageError(QStringLiteral("give pairs of item and value"));
    struct Change {
        int item;
        std::uint16_t value;
    };
    std::vector<Change> changes;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        int status = Exit::Ok;
        const std::optional<int> item = ParseItem(ctx, args[i], &status);
        if (!item)
            return status;
        QString error;
        const std::optional<std::uint16_t> value = Arguments::Value(args[i + 1], &error);
        if (!value)
            return ctx.UsageError(QStringLiteral("%1: %2").arg(args[i], error));
        changes.push_back({*item, *value});
    }
    std::vector<int> items;
    for (const Change& change : changes)
        items.push_back(change.item);
    if (const int status = ctx.Connect(CliNeeds::Items(items)))
        return status;
    CMonitor& monitor = ctx.Monitor();

    // Everything is checked against the monitor before the first change goes out.
    for (const Change& change : changes) {
        if (const int status = ctx.RequireAvailable(change.item))
            return status;
        const std::uint16_t maximum = monitor.Item(change.item).maximum;
        if (change.item > kLastClampedItem && change.value > maximum)
            return ctx.UsageError(QStringLiteral("%1: %2 is above the maximum %3")
                                      .arg(ItemFormat::Name(change.item))
                                      .arg(change.value)
                                      .arg(maximum));
    }
    QJsonArray written;
    for (const Change& change : changes) {
        const std::uint16_t maximum = monitor.Item(change.item).maximum;
        if (change.value > maximum)
            ctx.Note(QStringLiteral("%1: %2 is above the maximum; %3 is set instead")
                         .arg(ItemFormat::Name(change.item))
                         .arg(change.value)
                         .arg(maximum));
        if (const int status = WriteAndShow(ctx, change.item, change.value, written))
            return PrintWritten(ctx, written, status);
    }
    return PrintWritten(ctx, written, Exit::Ok);
}

int RunAdjust(CCliContext& ctx) {
    if (ctx.Args().size() != 2)
        return ctx.UsageError(QStringLiteral("give one item and one step"));
    int status = Exit::Ok;
    const std::optional<int> item = ParseItem(ctx, ctx.Args()[0], &status);
    if (!item)
        return status;
    QString error;
    const std::optional<int> delta = Arguments::Delta(ctx.Args()[1], &error);
    if (!delta)
        return ctx.UsageError(error);
    if (const int connected = ctx.Connect(CliNeeds::Items({*item})))
        return connected;
    CMonitor& monitor = ctx.Monitor();
    if (const int missing = ctx.RequireAvailable(*item))
        return missing;

    const MonItem& record = monitor.Item(*item);
    const int target = record.current + *delta;
    if (target < 0 || target > record.maximum)
        return ctx.UsageError(QStringLiteral("%1 %2 %3 %4 gives %5, outside 0..%6; nothing sent")
                                  .arg(ItemFormat::Name(*item))
                                  .arg(record.current)
                                  .arg(*delta < 0 ? '-' : '+')
                                  .arg(std::abs(*delta))
                                  .arg(target)
                                  .arg(record.maximum));
    // The range is checked above in full integers. The controller's own stepping works in
    // signed 16 bits and would refuse every step of an item whose range passes 32767 (the
    // mode word), so the checked target is written directly.
    QJsonArray written;
    return PrintWritten(ctx, written,
                        WriteAndShow(ctx, *item, static_cast<std::uint16_t>(target), written));
}

const CCommandRegistrar kGet({
    .name = QStringLiteral("get"),
    .synopsis = QStringLiteral("get ITEM..."),
    .summary = QStringLiteral("print the value of items"),
    .help = QStringLiteral(
        "Prints \"NAME VALUE\" for each ITEM, a name or an item number as `qelt32ctl dump`\n"
        "lists them (for example: get bright contrast 14). Items the monitor does not have\n"
        "are reported on standard error and make the status 2."),
    .json = QStringLiteral("{\"items\": [ITEM...]}, ITEM being {\"item\", \"name\", \"code\",\n"
                           "\"status\", \"maximum\", \"value\"} of each item named."),
    .arguments = {QStringLiteral("ITEM")},
    .repeatArguments = true,
    .run = RunGet,
});

const CCommandRegistrar kSet({
    .name = QStringLiteral("set"),
    .synopsis = QStringLiteral("set ITEM VALUE [ITEM VALUE]..."),
    .summary = QStringLiteral("change items to values"),
    .help = QStringLiteral(
        "Writes each VALUE (0..65535) to its ITEM, in the order given, and prints the value\n"
        "the monitor then holds. A value above an item's maximum is lowered to the maximum\n"
        "(with a note on standard error); the mode items (30..34) refuse it instead. Each\n"
        "change moves in steps of 5 from the old value and is read back; nothing is sent\n"
        "unless every item and value is valid. The monitor's memory keeps the changes only\n"
        "after `qelt32ctl store`."),
    .json = QStringLiteral("{\"items\": [ITEM...]}, each item changed as the monitor then\n"
                           "holds it (also when a later change failed)."),
    .arguments = {QStringLiteral("ITEM"), QStringLiteral("VALUE")},
    .repeatArguments = true,
    .run = RunSet,
});

const CCommandRegistrar kAdjust({
    .name = QStringLiteral("adjust"),
    .synopsis = QStringLiteral("adjust ITEM DELTA"),
    .summary = QStringLiteral("step an item up or down"),
    .help = QStringLiteral(
        "Adds DELTA (negative to lower) to the item's value and prints the new value, for\n"
        "example: adjust hpos -5. A result outside 0..maximum is refused and nothing is\n"
        "sent."),
    .json = QStringLiteral("{\"items\": [ITEM]}, the item as the monitor then holds it."),
    .arguments = {QStringLiteral("ITEM"), QStringLiteral("VALUE")},
    .run = RunAdjust,
});

} // namespace
