#pragma once

#include "bus/BusItem.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QSet>

#include <array>
#include <functional>

class CMonitor;

// The monitor on the session bus (com.vorka.qelt32.Monitor at /com/vorka/qelt32/Monitor):
// reads answer from the controller's cache, which the watcher keeps true; changes go
// through the same controller calls as the panel's and answer with what the monitor then
// holds. Every change of an item is announced with who made it, and the windows follow a
// caller's change as they follow the front panel. Runs on the controller's thread.
class CMonitorService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.vorka.qelt32.Monitor")
    Q_PROPERTY(QString Port READ Port)
    Q_PROPERTY(QString Revision READ Revision)
    Q_PROPERTY(QString Maker READ Maker)
    Q_PROPERTY(QString Model READ Model)
    Q_PROPERTY(uint Serial READ Serial)
    Q_PROPERTY(ushort HorizontalKHz READ HorizontalKHz)
    Q_PROPERTY(ushort VerticalHz READ VerticalHz)
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(int ColorTemperatureStep READ ColorTemperatureStep)
public:
    // What the program around the service decides.
    struct Host {
        // True while a dialog or the full-screen mode has the monitor: changes are refused.
        std::function<bool()> busy;
        // Quit: lets the monitor go and ends the program; empty where a caller may not.
        std::function<void()> quit;
    };

    CMonitorService(CMonitor& monitor, Host host, QObject* parent = nullptr);
    ~CMonitorService() override;

    // Exports the object and takes the service name; false, with *error, when the bus
    // cannot be reached or another program has the name.
    bool Publish(QDBusConnection bus, QString* error);
    // Gives the name and the object up (before the port is closed, so that a program
    // waiting for the name finds the port free).
    void Withdraw();

    QString Port() const;
    QString Revision() const;
    QString Maker() const;
    QString Model() const;
    uint Serial() const;
    ushort HorizontalKHz() const;
    ushort VerticalHz() const;
    bool Connected() const;
    // The step of the colour-temperature scale the colour values match; -1 for none.
    int ColorTemperatureStep() const;

public slots:
    ushort GetItem(const QString& name, ushort& maximum, bool& available);
    BusItemList GetItems(const QStringList& names);
    ushort SetItem(const QString& name, ushort value);
    ushort AdjustItem(const QString& name, int delta);
    void SetColorTemperature(uint kelvinOrStep);
    void Command(const QString& name);
    void LoadFile(const QString& path, const QStringList& groups);
    void SaveFile(const QString& path);
    void Quit();

signals:
    void ItemChanged(const QString& name, ushort value, const QString& origin);
    void TimingChanged(ushort khz, ushort hz);
    void ConnectionChanged(bool connected);

private:
    class CClientCall;

    // The item a caller named, or -1 after an InvalidArgs reply.
    int ItemOf(const QString& name);
    // Disconnected or Busy replied when a change may not be made now.
    bool MayChange();
    // Writes one item and checks that the monitor holds it; replies NotTaken otherwise.
    ushort WriteChecked(int item, std::uint16_t value);
    // Replies `error` with `text`, or with the controller's own message when it told one.
    void Fail(const QString& error, const QString& text);
    void OnItemUpdated(int item, bool byMonitor);
    void OnTimingUpdated();

    CMonitor& m_monitor;
    Host m_host;
    QDBusConnection m_bus;
    bool m_bPublished = false;
    std::array<quint16, 35> m_announced{};
    quint16 m_fH = 0, m_fV = 0;
    CClientCall* m_pCall = nullptr; // the caller's change in progress
};
