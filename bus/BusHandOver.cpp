#include "bus/BusHandOver.h"

#include "bus/BusNames.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QThread>

namespace BusHandOver {

bool IsServed(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return false;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(BusNames::kService);
    return registered.isValid() && registered.value();
}

bool AskHolderToQuit(const QDBusConnection& bus, std::chrono::milliseconds timeout, QString* why) {
    if (!IsServed(bus))
        return true;
    const QDBusMessage quit = QDBusMessage::createMethodCall(
        BusNames::kService, BusNames::kPath, BusNames::kInterface, QStringLiteral("Quit"));
    const QDBusMessage reply = bus.call(quit, QDBus::Block, int(timeout.count()));
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *why = reply.errorMessage();
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsServed(bus)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            *why = QStringLiteral("the program serving the monitor did not let it go");
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

} // namespace BusHandOver
