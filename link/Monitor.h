#pragma once

#include "link/Monicom.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CMonitor;

// Item numbers and groups of the monitor's 35 adjustment items.
namespace Items {
constexpr int kCount = 35;
constexpr int Bright = 0, Contrast = 1, HSize = 2, HPos = 3, VSize = 4, VPos = 5;
constexpr int ModeWord = 30, ColorMode = 31, Interval = 32, AutoSizeItem = 33, ColorPreset = 34;

struct ItemInfo {
    std::uint8_t code;
    const char* key;  // settings key, nullptr where the item has none
    const char* name; // command-line name (the key where there is one)
};
const ItemInfo& Info(int item);
// Item number for a wire code, -1 when no item has it.
int FromCode(std::uint8_t code);
// Item number for a command-line name or settings key, -1 when unknown.
int FromName(const QString& name);

enum class Group { BrightContrast, Geometry, Convergence, Color, Modes };
constexpr int First(Group g) {
    return g == Group::BrightContrast ? 0
           : g == Group::Geometry     ? 2
           : g == Group::Convergence  ? 16
           : g == Group::Color        ? 23
                                      : 30;
}
constexpr int Last(Group g) {
    return g == Group::BrightContrast ? 1
           : g == Group::Geometry     ? 15
           : g == Group::Convergence  ? 22
           : g == Group::Color        ? 29
                                      : 34;
}
} // namespace Items

// The monitor's side of the auto-sizing handshake: the GUI shows its white notice while
// AutoSize runs; without a GUI the controller runs AutoSize directly.
class IAutoSizeNotice {
public:
    virtual ~IAutoSizeNotice() = default;
    virtual void Run(CMonitor& monitor) = 0;
};

// One cached item.
struct MonItem {
    std::uint8_t code = 0;
    int status = 1; // 0 = available
    std::uint16_t maximum = 0;
    std::uint16_t current = 0;
    std::uint16_t stored = 0; // snapshot 1: what the monitor's memory holds
    std::uint16_t device = 0; // last value sent or read: where ramping starts
    std::uint16_t undo = 0;   // snapshot 2: taken by dialogs
};

// The monitor controller: finds the monitor, caches every item, writes changes with
// ramping and read-back, runs the monitor's commands and notifies one registered object
// of every change.
class CMonitor : public CMonicom {
    Q_OBJECT
public:
    explicit CMonitor(QObject* parent = nullptr);
    ~CMonitor() override; // writes "Settings"/"com", closes the port

    // Identity and connection
    // `tellUser` false leaves the no-monitor message to the caller (the start-up box that
    // also lists the reasons and offers another device).
    bool Connect(bool tellUser = true);
    // Tries the one device `path` the user chose; when the monitor answers there it is
    // remembered as discovery remembers an adapter. ConnectFailures() says why not.
    bool ConnectTo(const QString& path);
    // Reads every item, the timing and the colour-temperature tables, and takes what was
    // read as what the monitor's memory holds: what start-up does once the monitor answered.
    // Each read tells the user itself when it fails.
    bool ReadAll();
    // After a lost link: opens `path` and, when the monitor that was lost answers there (or
    // another one that `acceptOther` takes, given its serial number and, when it is of
    // another model than the lost one, that model's name), reads it all again. The port is
    // closed again, and the lost monitor's identity kept, otherwise.
    bool Reconnect(const QString& path,
                   const std::function<bool(std::uint32_t, const QString&)>& acceptOther);
    // Moves to the device of a trial (TryDevice) while the monitor in use is left as it is
    // until the new one has been read as at start-up: then the old port is closed and the
    // device remembered as ConnectTo remembers it. When the read fails, the link, the values
    // and the windows' monitor are those of before, and ConnectFailures() says why.
    bool SwitchTo(PortTrial trial);
    // Connect without reading the scan frequencies: for a caller that does not show them.
    bool FindMonitor(bool tellUser = true);
    // Why each port tried by the last failed Connect gave no monitor, in the order tried.
    const QStringList& ConnectFailures() const { return m_connectFailures; }
    // The device each of those failures is about, in the same order.
    const QStringList& ConnectDevices() const { return m_connectDevices; }
    // The stable name of the adapter the monitor was found on; empty when it was found in
    // one of the four slots. Kept in the profile ("Settings"/"Device") and tried first.
    const QString& AdapterPath() const { return m_strAdapter; }
    std::uint8_t GetProtocolRevision() const; // 0 "B", 1 "C", 0xFF other
    std::uint8_t GetModelIndex() const;       // 0 "TR-4427 ", 1 "TR-5513 ", 0xFF other
    bool IsNotThirdModel() const;             // false only for "TR-3306 "
    QString GetModelName() const;
    // Whether a monitor of `identity` has this one's protocol revision and model, so that
    // the windows made for this one (menus, toolbar, panel, full-screen layout) fit it.
    bool IsSameKind(const MonIdentity& identity) const;
    QString GetMakerName() const;
    std::uint32_t GetSerialNumber() const;
    QString GetSerialText() const;
    void SetNotifyWindow(QObject* window);
    QObject* GetNotifyWindow() const { return m_notifyWindow; }
    bool ReadTiming();
    void GetTiming(std::uint16_t* fH, std::uint16_t* fV) const;
    // False until the monitor has reported its scan frequencies, and again after a failed
    // ReadTiming: the readings are then not to be shown or saved as if they were real.
    bool IsTimingKnown() const { return m_bTimingKnown; }

    // Item cache and writing
    void GetItem(int item, std::int16_t* maximum, std::uint16_t* current, int* status) const;
    const MonItem& Item(int item) const { return m_items[item]; }
    bool IsAvailable(int item) const { return m_items[item].status == 0; }
    virtual bool ReadItem(int item);
    bool ReadBrightContrast();
    bool ReadGeometry();
    bool ReadConvergence();
    bool ReadColor();
    bool ReadModes();
    // Reads the given items one by one and treats each as its group's read does, for a
    // caller that needs a few items rather than whole groups. False at the first failure.
    bool ReadItems(const std::vector<int>& items);
    virtual bool WriteItem(int item, std::uint16_t value);
    bool AdjustItems(int item1, int delta1, int item2, int delta2, bool both);

    // Snapshots
    void CommitBrightContrast();
    void CommitGeometry();
    void CommitConvergence();
    void CommitColor();
    void CommitModes();
    // Every group at once, after a read of the whole monitor.
    void CommitAllGroups();
    void CommitItem(int item);
    bool RestoreBrightContrast();
    bool RestoreGeometry();
    bool RestoreConvergence();
    bool RestoreColor();
    bool RestoreModes();
    bool IsModified() const;
    void MarkBrightContrast();
    void MarkGeometry();
    void MarkColor();
    void MarkItem(int item);
    bool RevertBrightContrast();
    bool RevertGeometry();
    bool RevertColor();
    bool RevertItem(int item);
    void MarkFlag(int which);
    bool RevertFlag(int which);

    // Commands
    virtual bool Degauss();
    virtual bool AutoSize();
    virtual bool StoreInMemory(bool commit);
    virtual bool ResetGroup(int group);
    bool SetColorMode(int mode);

    // Mode word
    int GetPowerSaveMode() const;
    bool SetPowerSaveMode(int mode) override;
    bool SetPowerSaveModeFromFlags(std::uint16_t flags);
    int GetMode1Delay() const;
    bool SetMode1Delay(int delay);
    bool SetMode1DelayFromFlags(std::uint16_t flags);
    void CommitMode1Delay(int delay);
    bool GetHMoireOn() const;
    bool SetHMoireOn(bool on);
    bool SetHMoireOnFromFlags(std::uint16_t flags);
    void CommitHMoireOn(bool on);
    bool GetVMoireOn() const;
    bool SetVMoireOn(bool on);
    bool SetVMoireOnFromFlags(std::uint16_t flags);
    void CommitVMoireOn(bool on);
    int GetInputSignal() const;
    bool SetInputSignal(int input);
    int GetInputDetection() const;
    bool SetInputDetection(int mode) override;
    bool GetBeep() const;
    bool SetBeep(bool on);
    bool GetColorCustom() const;
    bool GetStoredColorCustom() const;
    bool SetColorCustom(bool custom);
    bool SetColorCustomFromFlags(std::uint16_t flags);
    void CommitColorCustom(bool custom);

    // Colour temperature
    bool ReadColorTempTable();
    virtual bool SetColorTemp(int step);
    virtual int GetColorTemp();
    bool IsColorTemp(const int* step);
    void CalcColorTemp(int step, std::uint16_t values[7]) const;
    bool SelectColorTempPreset(int preset);
    static constexpr std::array<std::uint8_t, 7> kColorItemOrder = {26, 27, 28, 23, 24, 25, 29};
    static constexpr std::array<std::uint8_t, 14> kPresetSteps = {0,  5,  10, 15, 20, 25, 30,
                                                                  35, 40, 45, 50, 53, 55, 60};

    // Watcher side (the controller's "window" handlers)
    void SetAutoSizeNotice(IAutoSizeNotice* notice) { m_pAutoSizeNotice = notice; }
    void OnMonitorData() override;
    void OnTimingChanged() override;
    void OnDisplayChange();
    bool DisplayChangeSeen() const { return m_bDisplayChangeSeen; }
    bool AutoSizeReportSeen() const { return m_bAutoSizeReportSeen; }

    // Sends the change notification to the notify object, if one is registered.
    void Notify(int item, int value);

signals:
    // An item's cached value may have changed: it was read or written, or the monitor
    // reported it. `byMonitor`: the monitor's own change (a front-panel key, a new timing)
    // or a read that follows one.
    void itemUpdated(int item, bool byMonitor);
    // The scan frequencies were read or reported.
    void timingUpdated();

protected:
    // For a controller that keeps a copy of another one's cache (the bus client).
    MonItem& CachedItem(int item) { return m_items[item]; }
    void SetCachedAdapter(const QString& adapter) { m_strAdapter = adapter; }
    void SetCachedTiming(std::uint16_t fH, std::uint16_t fV) {
        m_fH = fH;
        m_fV = fV;
        m_bTimingKnown = true;
    }

private:
    // What a read of the whole monitor changes, kept to be put back.
    struct ReadState {
        std::array<MonItem, Items::kCount> items;
        std::uint16_t fH, fV;
        bool timingKnown;
        std::array<std::uint16_t, 7> tableA, tableB, tableC;
        std::array<std::uint8_t, 14> T, U;
    };
    ReadState SaveReadState() const;
    void RestoreReadState(const ReadState& state);
    // Records where the monitor answered; true.
    bool FoundOn(const QString& adapter);
    bool WriteItemNow(int item, std::uint16_t value);
    // Marks the reads and changes made while following the monitor's own reports.
    class CFollowingMonitor;
    bool ReadGroup(Items::Group group);
    // What every read of a group does after the queries, for one item of it.
    void AfterGroupRead(int item);
    bool RestoreGroup(Items::Group group, bool fromUndo);
    // Writes `value` back to an available item that differs from it, with 3 attempts.
    bool RestoreItem(int item, std::uint16_t value);
    std::uint16_t ModeWord() const { return m_items[Items::ModeWord].current; }
    bool WriteModeWord(std::uint16_t word);
    // Sets or clears one mode-word bit and sends the word.
    bool SetModeBit(std::uint16_t mask, bool on);
    // Sets or clears one bit of the mode word's stored snapshot (no traffic).
    void CommitModeBit(std::uint16_t mask, bool on);
    // The same for a switch that exists only when its level item is available.
    bool SetSwitchBit(int levelItem, std::uint16_t mask, bool on);
    void CommitSwitchBit(int levelItem, std::uint16_t mask, bool on);
    void RunAutoSizeNotice();
    void OnTimingReport(const MonReply& timing);
    void OnPanelChange(const MonReply& change);
    void OnPanelReportWhileWaiting(const MonReply& change) override;
    // Puts a front-panel report into the cache; the item, or -1 for a code of no item.
    int ApplyPanelChange(const MonReply& change);
    // What follows a front-panel change: the re-reads it calls for, then the notification.
    void FollowPanelChange(int item, std::uint16_t value);

    std::array<MonItem, Items::kCount> m_items{};
    QPointer<QObject> m_notifyWindow;
    std::uint16_t m_fH = 0, m_fV = 0;
    bool m_bTimingKnown = false;
    QStringList m_connectFailures;
    QStringList m_connectDevices;
    QString m_strAdapter;
    bool m_bFound = false; // a monitor answered at least once: there is a port to remember
    std::array<int, 3> m_markedFlags{};
    bool m_bDisplayChangeSeen = false;
    bool m_bAutoSizeReportSeen = false;
    IAutoSizeNotice* m_pAutoSizeNotice = nullptr;
    int m_nFollowingMonitor = 0;

    // Colour-temperature reference tables read from the monitor's memory.
    std::array<std::uint16_t, 7> m_tableA{}, m_tableB{}, m_tableC{};
    std::array<std::uint8_t, 14> m_T{}, m_U{};
};
