// What the monitor is and what it holds: info and dump.

#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "link/Monitor.h"
#include "platform/PortDiscovery.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

int RefuseArguments(CCliContext& ctx) {
    return ctx.UsageError(QStringLiteral("takes no arguments (got '%1')").arg(ctx.Args().first()));
}

int RunInfo(CCliContext& ctx) {
    if (!ctx.Args().isEmpty())
        return RefuseArguments(ctx);
    if (const int status = ctx.Connect({.timing = true}))
        return status;
    const CMonitor& monitor = ctx.Monitor();
    // The device by its stable name, the node it reaches, and the slot where it is one.
    const QString port = PortDiscovery::StableName(monitor.DevicePath());
    const QString node = QFileInfo(monitor.DevicePath()).canonicalFilePath();
    const bool slot = monitor.AdapterPath().isEmpty();
    QStringList also;
    if (!node.isEmpty() && node != port)
        also << node;
    if (slot)
        also << QStringLiteral("COM%1").arg(monitor.GetPortIndex() + 1);
    const QString revision = QString::fromLatin1(monitor.Identity().revision);
    const QString maker = monitor.GetMakerName().trimmed();
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    // Frequencies the monitor did not report are unknown (JSON null), never 0.
    const bool known = monitor.IsTimingKnown();
    const int status =
        known
            ? Exit::Ok
            : ctx.MonitorFailed(QStringLiteral("the monitor did not report its scan frequencies"));

    if (ctx.Json()) {
        ctx.PrintJson(
            {{QStringLiteral("port"), port},
             {QStringLiteral("device"), node},
             {QStringLiteral("com"), slot ? QJsonValue(monitor.GetPortIndex() + 1) : QJsonValue()},
             {QStringLiteral("revision"), revision},
             {QStringLiteral("maker"), maker},
             {QStringLiteral("model"), monitor.GetModelName()},
             {QStringLiteral("serial"), qint64(monitor.GetSerialNumber())},
             {QStringLiteral("fH"), known ? QJsonValue(fH) : QJsonValue()},
             {QStringLiteral("fV"), known ? QJsonValue(fV) : QJsonValue()}});
        return status;
    }
    ctx.Print(also.isEmpty() ? QStringLiteral("port      %1").arg(port)
                             : QStringLiteral("port      %1 (%2)").arg(port, also.join(", ")));
    ctx.Print(QStringLiteral("revision  %1").arg(revision));
    ctx.Print(QStringLiteral("maker     %1").arg(maker));
    ctx.Print(QStringLiteral("model     %1").arg(monitor.GetModelName()));
    ctx.Print(QStringLiteral("serial    %1").arg(monitor.GetSerialText()));
    ctx.Print(known ? QStringLiteral("fH        %1 kHz").arg(fH)
                    : QStringLiteral("fH        unknown"));
    ctx.Print(known ? QStringLiteral("fV        %1 Hz").arg(fV)
                    : QStringLiteral("fV        unknown"));
    return status;
}

int RunDump(CCliContext& ctx) {
    if (!ctx.Args().isEmpty())
        return RefuseArguments(ctx);
    if (const int status = ctx.Connect(CliNeeds::Everything()))
        return status;
    const CMonitor& monitor = ctx.Monitor();

    if (ctx.Json()) {
        QJsonArray items;
        for (int item = 0; item < Items::kCount; ++item)
            items.append(ItemFormat::Object(monitor, item));
        ctx.PrintJson({{QStringLiteral("items"), items}});
        return Exit::Ok;
    }
    qsizetype width = 0;
    for (int item = 0; item < Items::kCount; ++item)
        width = std::max(width, ItemFormat::Name(item).size());
    ctx.Print(QStringLiteral("item  %1  code  status  maximum  value")
                  .arg(QStringLiteral("name"), -int(width)));
    for (int item = 0; item < Items::kCount; ++item) {
        const MonItem& record = monitor.Item(item);
        ctx.Print(QStringLiteral("%1  %2  0x%3  %4  %5  %6")
                      .arg(item, 4)
                      .arg(ItemFormat::Name(item), -int(width))
                      .arg(QString::number(record.code, 16).toUpper().rightJustified(2, '0'))
                      .arg(record.status, 6)
                      .arg(record.maximum, 7)
                      .arg(record.current, 5));
    }
    return Exit::Ok;
}

const CCommandRegistrar kInfo({
    .name = QStringLiteral("info"),
    .synopsis = QStringLiteral("info"),
    .summary = QStringLiteral("show the port, revision, maker, model, serial number and scan "
                              "frequencies"),
    .help = QStringLiteral("Prints the device the monitor was found on (its stable\n"
                           "/dev/serial/by-id name first, then the node and the COM slot), its\n"
                           "protocol revision, maker, model and serial number, and the\n"
                           "horizontal (kHz) and vertical (Hz) scan frequencies."),
    .json = QStringLiteral("{\"port\", \"device\", \"com\" (null for an adapter outside the\n"
                           "slots), \"revision\", \"maker\", \"model\", \"serial\",\n"
                           "\"fH\", \"fV\"}; fH and fV are null when the monitor did not report\n"
                           "them."),
    .run = RunInfo,
});

const CCommandRegistrar kDump({
    .name = QStringLiteral("dump"),
    .synopsis = QStringLiteral("dump"),
    .summary = QStringLiteral("list every item with its code, status, maximum and value"),
    .help = QStringLiteral("Lists the monitor's 35 items: number, name (what get, set and adjust\n"
                           "take), wire code, status (0 = the monitor has the item), maximum\n"
                           "and current value."),
    .json = QStringLiteral("{\"items\": [ITEM...]} of all 35 items, ITEM as for get."),
    .run = RunDump,
});

} // namespace
