#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>

class CMonitor;

// Brings a lost link back. While the controller is disconnected it sleeps until a device
// node appears or changes in the device folders (inotify on the folder of the lost device,
// the device folder and its serial/by-id), then probes, at most once per interval: the
// device the monitor was lost on, then each adapter that appeared since. The monitor that was
// lost is read again as at start-up; another monitor of its model is taken only when the
// handler given to SetOtherMonitorHandler takes it, and each refused serial number is not
// asked about again. A monitor of another model is never taken (the windows were made for
// the lost one's): it is told once through the handler of SetOtherModelHandler. Nothing runs
// between events.
class CReconnector : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kProbeInterval{2000};

    explicit CReconnector(CMonitor& monitor, QObject* parent = nullptr);
    ~CReconnector() override;

    // Asked with the serial number of a monitor other than the lost one; true adopts it.
    // Without a handler another monitor is never adopted.
    void SetOtherMonitorHandler(std::function<bool(std::uint32_t serial)> handler);
    // Told the model name of a monitor of another model that answers instead.
    void SetOtherModelHandler(std::function<void(const QString& model)> handler);
    // Whether it is waiting for a device event now (for tests and the status bar).
    bool IsWaiting() const { return m_notifier != nullptr; }
    // While held (the user is being told the link was lost), nothing is probed, so nothing
    // is asked or told before that; a probe due meanwhile runs when released.
    void Hold(bool held);
    // A probe is on: the controller may be connected to a monitor that is not yet taken
    // (or never will be) while the user is asked about it.
    bool IsProbing() const { return m_probing; }

signals:
    // The monitor answers again and was read again; emitted after connectionChanged(true).
    void reconnected();

private:
    void OnConnectionChanged(bool connected);
    void StartWatching();
    void StopWatching();
    void WatchFolders();
    void OnDeviceEvent();
    void Probe();

    CMonitor& m_monitor;
    std::function<bool(std::uint32_t)> m_acceptOther;
    std::function<void(const QString&)> m_tellOtherModel;
    std::set<std::uint32_t> m_refused;
    std::set<QString> m_seenNodes; // adapters' nodes already there or already tried
    int m_inotify = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_probeTimer; // holds the next probe until the interval since the last is over
    std::chrono::steady_clock::time_point m_lastProbe{};
    QString m_lostPath;
    bool m_held = false;
    bool m_probeDue = false; // a probe came due while held
    bool m_probing = false;
};
