#pragma once

#include "link/Monitor.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QString>

#include <memory>
#include <optional>

// The program that serves the monitor on the session bus, as a caller sees it.
struct BusHolder {
    QString port;    // the device it holds
    qint64 pid = 0;  // 0 when the bus does not say
    QString program; // its name, as /proc tells it
    QString Describe() const;
};

// A controller whose monitor is held by another program of this user (qelt32 or
// `qelt32ctl serve`): its cache is a copy of the holder's, and every read, change and
// command goes through the holder's bus service instead of a port. Commands written for
// the controller run on it unchanged.
class CBusMonitor : public CMonitor {
    Q_OBJECT
public:
    // The holder of com.vorka.qelt32 on `bus`, or nothing when no program serves it.
    static std::optional<BusHolder> FindHolder(const QDBusConnection& bus);

    // Copies the holder's identity, timing and items; false with *error when it does not
    // answer. `portIndex`: the slot of the port it holds; `adapter`: the stable name of
    // the adapter it holds outside the slots, or empty.
    static std::unique_ptr<CBusMonitor> Open(const QDBusConnection& bus, const BusHolder& holder,
                                             int portIndex, const QString& adapter, QString* error);

    bool ReadItem(int item) override;
    bool WriteItem(int item, std::uint16_t value) override;
    bool Degauss() override;
    bool AutoSize() override;
    bool StoreInMemory(bool commit) override;
    bool ResetGroup(int group) override;
    // The holder keeps the colour-temperature tables and works the step out itself.
    bool SetColorTemp(int step) override;
    int GetColorTemp() override;
    // Follows the holder's signals instead of a port: every change it announces reaches
    // the cache and the notify object, as a front-panel report would. The holder losing
    // the monitor, or ending, is a lost link; a holder that serves it again (the same
    // program, or a new one that took the port over) brings it back.
    bool CreateWindow() override;

private slots:
    void OnItemChanged(const QString& name, ushort value, const QString& origin);
    void OnTimingChanged(ushort khz, ushort hz);
    void OnConnectionChanged(bool connected);

private:
    explicit CBusMonitor(const QDBusConnection& bus);
    void OnOwnerChanged(const QString& newOwner);
    // Copies the identity, the timing and every item of the holder's cache.
    bool CopyHolder();
    bool ReadAllItems();
    bool Run(const QString& command);
    // A failed call tells the user what the holder said.
    bool Failed(const QString& message);

    QDBusConnection m_bus;
    BusHolder m_holder;
    std::unique_ptr<QDBusServiceWatcher> m_ownerWatch;
};
