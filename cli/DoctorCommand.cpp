// doctor: why the monitor cannot be reached, in plain words, port by port.

#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/PortCheck.h"
#include "platform/PortMap.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

constexpr int kSlots = 4;

QString DeviceText(const SerialDiagnostics::Device& device) {
    if (device.usbVendor.isEmpty())
        return device.path;
    return QStringLiteral("%1 (USB: %2, %3)").arg(device.path, device.usbVendor, device.usbModel);
}

QJsonObject Json(int slot, const PortCheck& check) {
    QJsonArray holders;
    for (const auto& holder : check.holders)
        holders.append(QJsonObject{{QStringLiteral("pid"), holder.pid},
                                   {QStringLiteral("program"), holder.program}});
    QJsonObject object{{QStringLiteral("com"), slot + 1},
                       {QStringLiteral("path"), check.path},
                       {QStringLiteral("exists"), check.access.exists},
                       {QStringLiteral("allowed"), check.access.allowed},
                       {QStringLiteral("group"), check.access.group},
                       {QStringLiteral("heldBy"), holders},
                       {QStringLiteral("opened"), check.opened},
                       {QStringLiteral("usable"), check.usable}};
    if (!check.line.isEmpty()) {
        object.insert(QStringLiteral("line"), check.line);
        object.insert(QStringLiteral("handshake"), check.handshake);
    }
    if (check.monitor)
        object.insert(QStringLiteral("monitor"),
                      QJsonObject{{QStringLiteral("revision"), check.monitor->revision},
                                  {QStringLiteral("maker"), check.monitor->maker},
                                  {QStringLiteral("model"), check.monitor->model},
                                  {QStringLiteral("serial"), qint64(check.monitor->serial)}});
    if (!check.problem.isEmpty()) {
        object.insert(QStringLiteral("problem"), check.problem);
        object.insert(QStringLiteral("advice"), check.advice);
    }
    return object;
}

void Print(CCliContext& ctx, int slot, const PortCheck& check) {
    ctx.Print(QStringLiteral("COM%1  %2").arg(slot + 1).arg(check.path));
    auto row = [&ctx](const char* label, const QString& text) {
        ctx.Print(QStringLiteral("  %1  %2").arg(QLatin1String(label), -9).arg(text));
    };
    if (check.access.exists)
        row("device",
            check.access.allowed
                ? QStringLiteral("present, group %1, you may open it").arg(check.access.group)
                : QStringLiteral("present, group %1").arg(check.access.group));
    for (const auto& holder : check.holders)
        row("held by", QStringLiteral("%1 (pid %2)").arg(holder.program).arg(holder.pid));
    if (!check.line.isEmpty())
        row("line", check.line);
    if (check.monitor)
        row("monitor", QStringLiteral("revision %1, maker %2, model %3, serial %4")
                           .arg(check.monitor->revision, check.monitor->maker, check.monitor->model)
                           .arg(check.monitor->serial));
    if (check.usable) {
        row("result", QStringLiteral("a usable monitor answered"));
        return;
    }
    row("problem", check.problem);
    row("do", check.advice);
}

int RunDoctor(CCliContext& ctx) {
    if (!ctx.Args().isEmpty())
        return ctx.UsageError(
            QStringLiteral("takes no arguments (got '%1')").arg(ctx.Args().first()));
    bool usable = false, listDevices = false;
    QJsonArray ports;
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString path = PortMap().Path(slot);
        if (path.isEmpty())
            continue;
        const PortCheck check = CheckPort(path);
        usable = usable || check.usable;
        listDevices = listDevices || !check.access.exists || !check.monitor;
        if (ctx.Json())
            ports.append(Json(slot, check));
        else
            Print(ctx, slot, check);
    }
    // Where a device is missing or silent, the ones that are there may be meant.
    const auto devices = SerialDiagnostics::ListDevices();
    if (ctx.Json()) {
        QJsonArray list;
        for (const auto& device : devices)
            list.append(QJsonObject{{QStringLiteral("path"), device.path},
                                    {QStringLiteral("usbVendor"), device.usbVendor},
                                    {QStringLiteral("usbModel"), device.usbModel}});
        ctx.PrintJson({{QStringLiteral("ports"), ports},
                       {QStringLiteral("serialDevices"), list},
                       {QStringLiteral("usable"), usable}});
    } else if (listDevices) {
        ctx.Print(devices.empty() ? QStringLiteral("serial devices: none")
                                  : QStringLiteral("serial devices:"));
        for (const auto& device : devices)
            ctx.Print(QStringLiteral("  ") + DeviceText(device));
    }
    return usable ? Exit::Ok : Exit::NoMonitor;
}

const CCommandRegistrar kDoctor({
    .name = QStringLiteral("doctor"),
    .synopsis = QStringLiteral("doctor"),
    .summary = QStringLiteral("find out why no monitor answers, and what to do about it"),
    .help = QStringLiteral(
        "Checks each device of the port map (only the one given with --port): that it\n"
        "exists (otherwise the serial devices that do are listed, with the USB adapter's\n"
        "maker and model), that you may open it (otherwise its group and how to join it),\n"
        "which other programs have it open, the line settings it took (read back: speed,\n"
        "8N1, handshake), and who answers the identity request: no one, a flat panel,\n"
        "another maker's monitor, or a usable monitor (revision, maker, model, serial).\n"
        "Ends with status 0 only when a usable monitor answered, 3 otherwise."),
    .json = QStringLiteral(
        "{\"ports\": [PORT...], \"serialDevices\": [{\"path\", \"usbVendor\",\n"
        "\"usbModel\"}...], \"usable\"}, PORT being {\"com\", \"path\", \"exists\",\n"
        "\"allowed\", \"group\", \"heldBy\", \"opened\", \"usable\"} and, where\n"
        "known, \"line\", \"handshake\", \"monitor\", \"problem\" and \"advice\"."),
    .run = RunDoctor,
});

} // namespace
