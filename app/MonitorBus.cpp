#include "app/MonitorBus.h"

#include "app/Qelt32App.h"
#include "bus/BusHandOver.h"
#include "bus/MonitorService.h"
#include "fullscreen/AdjustWnd.h"

#include <QApplication>

#include <cstdio>

namespace {

// `serve` closes its port before it gives the name up; a monitor wait is 3000 ms.
constexpr std::chrono::milliseconds kHandOverTimeout{10000};

void Warn(const QString& text) {
    std::fprintf(stderr, "qelt32: %s\n", qPrintable(text));
}

} // namespace

namespace MonitorBus {

void TakeOverFromServe() {
    QString why;
    if (!BusHandOver::AskHolderToQuit(QDBusConnection::sessionBus(), kHandOverTimeout, &why))
        Warn(QStringLiteral("the monitor's bus service did not let go: %1").arg(why));
}

std::unique_ptr<CMonitorService> Publish(CMonitor& monitor, const CQelt32App& app) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr; // a desktop without a session bus: nothing to serve on
    CMonitorService::Host host{
        .busy =
            [&app] {
                return QApplication::activeModalWidget() != nullptr ||
                       (app.AdjustWnd() && app.AdjustWnd()->IsActive());
            },
        .quit = {},
    };
    auto service = std::make_unique<CMonitorService>(monitor, std::move(host));
    QString why;
    if (!service->Publish(bus, &why)) {
        Warn(QStringLiteral("the monitor is not served on the session bus: %1").arg(why));
        return nullptr;
    }
    return service;
}

} // namespace MonitorBus
