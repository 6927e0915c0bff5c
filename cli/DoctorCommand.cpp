// doctor: why the monitor cannot be reached, in plain words, port by port.

#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/PortCheck.h"
#include "platform/PortDiscovery.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

constexpr int kSlots = 4;

QString DeviceText(const SerialDiagnostics::Device& device) {
    if (device.usbVendor.isEmpty())
        return device.path;
    return QStringLiteral("%1 (USB: %2, %3)").arg(device.path, device.usbVendor, device.usbModel);
}

// `path` as the user should know it: its stable name first, then the node it reaches where
// that is another name ("/dev/serial/by-id/usb-FTDI_...-if00-port0 (/dev/ttyUSB0)").
QString Named(const QString& path) {
    const QString stable = PortDiscovery::StableName(path);
    const QString node = QFileInfo(path).canonicalFilePath();
    return node.isEmpty() || node == stable ? stable : QStringLiteral("%1 (%2)").arg(stable, node);
}

// A slot's number (COM1..COM4), or null for an adapter outside the slots.
QJsonObject Json(const QJsonValue& com, const PortCheck& check) {
    QJsonArray holders;
    for (const auto& holder : check.holders)
        holders.append(QJsonObject{{QStringLiteral("pid"), holder.pid},
                                   {QStringLiteral("program"), holder.program}});
    QJsonObject object{{QStringLiteral("com"), com},
                       {QStringLiteral("path"), check.path},
                       {QStringLiteral("device"), QFileInfo(check.path).canonicalFilePath()},
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

// `label`: "COM1".."COM4" for a slot, "USB " for an adapter.
void Print(CCliContext& ctx, const QString& label, const PortCheck& check) {
    ctx.Print(QStringLiteral("%1  %2").arg(label, Named(check.path)));
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
    bool listDevices = false;
    QString used; // the device the monitor would be used on: the first usable one
    QJsonArray ports;
    auto report = [&](const QJsonValue& com, const PortCheck& check) {
        if (check.usable && used.isEmpty())
            used = check.path;
        listDevices = listDevices || !check.access.exists || !check.monitor;
        if (ctx.Json())
            ports.append(Json(com, check));
        else
            Print(ctx,
                  com.isNull() ? QStringLiteral("USB ") : QStringLiteral("COM%1").arg(com.toInt()),
                  check);
    };
    // In the order the monitor is looked for: the adapter of the last run, the slots, then
    // (when no slot answers) every other adapter. A device given with --port stands alone.
    const bool usersPorts = PortMap().RemembersPortIndex();
    const QString remembered = usersPorts ? Profile::GetString("Settings", "Device") : QString();
    if (!remembered.isEmpty())
        report(QJsonValue(), CheckPort(remembered));
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString path = PortMap().Path(slot);
        if (!path.isEmpty())
            report(slot + 1, CheckPort(path));
    }
    if (usersPorts && used.isEmpty()) {
        for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters()) {
            if (adapter.path == remembered)
                continue;
            if (adapter.skipped.isEmpty()) {
                report(QJsonValue(), CheckPort(adapter.path));
            } else if (ctx.Json()) {
                ports.append(QJsonObject{{QStringLiteral("com"), QJsonValue()},
                                         {QStringLiteral("path"), adapter.path},
                                         {QStringLiteral("usable"), false},
                                         {QStringLiteral("problem"), adapter.skipped}});
            } else {
                ctx.Print(QStringLiteral("USB   %1").arg(adapter.path));
                ctx.Print(QStringLiteral("  %1  %2")
                              .arg(QStringLiteral("problem"), -9)
                              .arg(adapter.skipped));
            }
            if (!used.isEmpty())
                break;
        }
    }
    const bool usable = !used.isEmpty();
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
                       {QStringLiteral("usable"), usable},
                       {QStringLiteral("used"), usable ? QJsonValue(used) : QJsonValue()}});
    } else if (listDevices) {
        ctx.Print(devices.empty() ? QStringLiteral("serial devices: none")
                                  : QStringLiteral("serial devices:"));
        for (const auto& device : devices)
            ctx.Print(QStringLiteral("  ") + DeviceText(device));
    }
    if (usable && !ctx.Json())
        ctx.Print(QStringLiteral("uses  %1").arg(Named(used)));
    return usable ? Exit::Ok : Exit::NoMonitor;
}

const CCommandRegistrar kDoctor({
    .name = QStringLiteral("doctor"),
    .synopsis = QStringLiteral("doctor"),
    .summary = QStringLiteral("find out why no monitor answers, and what to do about it"),
    .help = QStringLiteral(
        "Checks each device of the port map (only the one given with --port), the adapter\n"
        "remembered from the last run before them and, when no slot is usable, each USB\n"
        "serial adapter (by its /dev/serial/by-id name where it has one): that it\n"
        "exists (otherwise the serial devices that do are listed, with the USB adapter's\n"
        "maker and model), that you may open it (otherwise its group and how to join it),\n"
        "which other programs have it open, the line settings it took (read back: speed,\n"
        "8N1, handshake), and who answers the identity request: no one, a flat panel,\n"
        "another maker's monitor, or a usable monitor (revision, maker, model, serial).\n"
        "The last line names the device the monitor is used on, stable name first.\n"
        "Ends with status 0 only when a usable monitor answered, 3 otherwise."),
    .json = QStringLiteral(
        "{\"ports\": [PORT...], \"serialDevices\": [{\"path\", \"usbVendor\",\n"
        "\"usbModel\"}...], \"usable\", \"used\"}, PORT being {\"com\" (null for an adapter),\n"
        "\"path\", \"device\", \"exists\",\n"
        "\"allowed\", \"group\", \"heldBy\", \"opened\", \"usable\"} and, where\n"
        "known, \"line\", \"handshake\", \"monitor\", \"problem\" and \"advice\"."),
    .run = RunDoctor,
});

} // namespace
