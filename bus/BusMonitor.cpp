#include "bus/BusMonitor.h"

#include "bus/BusItem.h"
#include "bus/BusNames.h"
#include "link/MonitorNotify.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {

// Each call waits as long as the holder's own exchange with the monitor may take.
constexpr int kCallTimeoutMs = 30000;

QDBusMessage Call(const QDBusConnection& bus, const QString& method,
                  const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(BusNames::kService, BusNames::kPath,
                                                       BusNames::kInterface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kCallTimeoutMs);
}

QVariant Property(const QDBusConnection& bus, const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        BusNames::kService, BusNames::kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get.setArguments({BusNames::kInterface, name});
    const QDBusMessage reply = bus.call(get, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

void CopyField(char* field, std::size_t size, const QString& text) {
    const QByteArray bytes = text.toLatin1();
    std::memset(field, 0, size);
    std::memcpy(field, bytes.constData(), std::min(size - 1, std::size_t(bytes.size())));
}

} // namespace

QString BusHolder::Describe() const {
    if (pid == 0)
        return QStringLiteral("another program");
    return QStringLiteral("%1 (pid %2)")
        .arg(program.isEmpty() ? QStringLiteral("?") : program)
        .arg(pid);
}

std::optional<BusHolder> CBusMonitor::FindHolder(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return std::nullopt;
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(BusNames::kService);
    if (!owner.isValid())
        return std::nullopt;
    BusHolder holder;
    holder.port = Property(bus, QStringLiteral("Port")).toString();
    if (holder.port.isEmpty())
        return std::nullopt;
    const QDBusReply<uint> pid = bus.interface()->servicePid(BusNames::kService);
    if (pid.isValid()) {
        holder.pid = pid.value();
        QFile comm(QStringLiteral("/proc/%1/comm").arg(holder.pid));
        if (comm.open(QIODevice::ReadOnly))
            holder.program = QString::fromLocal8Bit(comm.readAll()).trimmed();
    }
    return holder;
}

CBusMonitor::CBusMonitor(const QDBusConnection& bus) : m_bus(bus) {
    RegisterBusTypes();
}

std::unique_ptr<CBusMonitor> CBusMonitor::Open(const QDBusConnection& bus, const BusHolder& holder,
                                               int portIndex, const QString& adapter,
                                               QString* error) {
    std::unique_ptr<CBusMonitor> monitor(new CBusMonitor(bus));
    monitor->m_nPortIndex = portIndex;
    monitor->SetCachedAdapter(adapter);
    monitor->m_holder = holder;
    if (!monitor->CopyHolder()) {
        *error = QStringLiteral("%1 holds the monitor but does not answer on the session bus")
                     .arg(holder.Describe());
        return nullptr;
    }
    monitor->SetServedLink(
        holder.port, Property(bus, QStringLiteral("Connected")).toBool(),
        QStringLiteral("%1 no longer reaches the monitor").arg(holder.Describe()));
    return monitor;
}

bool CBusMonitor::CopyHolder() {
    MonIdentity& identity = m_identity;
    CopyField(identity.revision, sizeof identity.revision,
              Property(m_bus, QStringLiteral("Revision")).toString());
    CopyField(identity.maker, sizeof identity.maker,
              Property(m_bus, QStringLiteral("Maker")).toString());
    // The controller reads the model up to its first blank; the holder gives it so.
    CopyField(identity.model, sizeof identity.model,
              Property(m_bus, QStringLiteral("Model")).toString().leftJustified(8, ' '));
    identity.serial = Property(m_bus, QStringLiteral("Serial")).toUInt();
    SetCachedTiming(Property(m_bus, QStringLiteral("HorizontalKHz")).toUInt(),
                    Property(m_bus, QStringLiteral("VerticalHz")).toUInt());
    return ReadAllItems();
}

bool CBusMonitor::ReadAllItems() {
    QStringList names;
    for (int item = 0; item < Items::kCount; ++item)
        names << QString::fromLatin1(Items::Info(item).name);
    const QDBusMessage reply = Call(m_bus, QStringLiteral("GetItems"), {names});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const BusItemList items = qdbus_cast<BusItemList>(reply.arguments().first());
    if (items.size() != Items::kCount)
        return false;
    for (int item = 0; item < Items::kCount; ++item) {
        MonItem& record = CachedItem(item);
        record.current = record.device = record.stored = items[item].value;
        record.maximum = items[item].maximum;
        record.status = items[item].available ? 0 : 1;
    }
    return true;
}

bool CBusMonitor::Failed(const QString& message) {
    std::fprintf(stderr, "qelt32ctl: %s\n", qUtf8Printable(message));
    return false;
}

bool CBusMonitor::ReadItem(int item) {
    const QDBusMessage reply =
        Call(m_bus, QStringLiteral("GetItem"), {QString::fromLatin1(Items::Info(item).name)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 3)
        return Failed(reply.errorMessage());
    MonItem& record = CachedItem(item);
    record.current = reply.arguments()[0].toUInt();
    record.maximum = reply.arguments()[1].toUInt();
    record.status = reply.arguments()[2].toBool() ? 0 : 1;
    emit itemUpdated(item, false);
    return true;
}

bool CBusMonitor::WriteItem(int item, std::uint16_t value) {
    if (item < 0 || item >= Items::kCount)
        return false;
    MonItem& record = CachedItem(item);
    // What the controller itself skips needs no call either.
    if (record.status != 0 || (item == Items::ColorMode && record.current == value))
        return true;
    const QDBusMessage reply =
        Call(m_bus, QStringLiteral("SetItem"),
             {QString::fromLatin1(Items::Info(item).name), QVariant::fromValue(quint16(value))});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        ReadItem(item); // the cache says what the monitor holds after all
        return Failed(reply.errorMessage());
    }
    record.current = record.device = reply.arguments().first().toUInt();
    return true;
}

bool CBusMonitor::Run(const QString& command) {
    const QDBusMessage reply = Call(m_bus, QStringLiteral("Command"), {command});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return Failed(reply.errorMessage());
    return ReadAllItems();
}

bool CBusMonitor::Degauss() {
    return Run(QStringLiteral("degauss"));
}

bool CBusMonitor::AutoSize() {
    return Run(QStringLiteral("autosize"));
}

bool CBusMonitor::StoreInMemory(bool) {
    return Run(QStringLiteral("store"));
}

bool CBusMonitor::ResetGroup(int group) {
    static const char* const kGroups[] = {"reset-all", "reset-geometry", "reset-convergence",
                                          "reset-color"};
    if (group < 0 || group > 3)
        return false;
    return Run(QString::fromLatin1(kGroups[group]));
}

bool CBusMonitor::SetColorTemp(int step) {
    const QDBusMessage reply =
        Call(m_bus, QStringLiteral("SetColorTemperature"), {QVariant::fromValue(uint(step))});
    const bool set = reply.type() == QDBusMessage::ReplyMessage;
    // What the monitor holds now, taken or not.
    ReadAllItems();
    return set || Failed(reply.errorMessage());
}

int CBusMonitor::GetColorTemp() {
    const QVariant step = Property(m_bus, QStringLiteral("ColorTemperatureStep"));
    return step.isValid() ? step.toInt() : -1;
}

bool CBusMonitor::CreateWindow() {
    auto follow = [this](const char* signal, const char* slot) {
        return m_bus.connect(BusNames::kService, BusNames::kPath, BusNames::kInterface,
                             QString::fromLatin1(signal), this, slot);
    };
    m_ownerWatch = std::make_unique<QDBusServiceWatcher>(BusNames::kService, m_bus,
                                                         QDBusServiceWatcher::WatchForOwnerChange);
    connect(m_ownerWatch.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                OnOwnerChanged(newOwner);
            });
    // The copy is taken again once the signals are followed: a change in between is in it.
    return follow("ItemChanged", SLOT(OnItemChanged(QString, ushort, QString))) &&
           follow("TimingChanged", SLOT(OnTimingChanged(ushort, ushort))) &&
           follow("ConnectionChanged", SLOT(OnConnectionChanged(bool))) && ReadAllItems();
}

void CBusMonitor::OnItemChanged(const QString& name, ushort value, const QString&) {
    const int item = Items::FromName(name);
    if (item < 0)
        return;
    CachedItem(item).current = CachedItem(item).device = value;
    Notify(item, value);
}

void CBusMonitor::OnTimingChanged(ushort khz, ushort hz) {
    SetCachedTiming(khz, hz);
    Notify(CMonitorNotifyEvent::kTimingChanged, 0);
}

void CBusMonitor::OnConnectionChanged(bool connected) {
    if (connected && CopyHolder())
        SetServedLink(m_holder.port, true);
    else
        SetServedLink(m_holder.port, false,
                      QStringLiteral("%1 no longer reaches the monitor").arg(m_holder.Describe()));
}

void CBusMonitor::OnOwnerChanged(const QString& newOwner) {
    if (newOwner.isEmpty()) {
        SetServedLink(
            m_holder.port, false,
            QStringLiteral("%1, which held the monitor, has ended").arg(m_holder.Describe()));
        return;
    }
    // A program that took the port over (qelt32 after `serve`) serves the same monitor
    // when it has the same serial number; another monitor is not followed.
    const std::optional<BusHolder> holder = FindHolder(m_bus);
    const std::uint32_t serial = m_identity.serial;
    if (!holder || Property(m_bus, QStringLiteral("Serial")).toUInt() != serial)
        return;
    m_holder = *holder;
    OnConnectionChanged(Property(m_bus, QStringLiteral("Connected")).toBool());
}
