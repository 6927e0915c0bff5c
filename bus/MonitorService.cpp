#include "bus/MonitorService.h"

#include "bus/BusNames.h"
#include "doc/Qelt32Doc.h"
#include "link/ColorTempMath.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDir>
#include <QTimer>

#include <cstdlib>
#include <vector>

namespace {

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString kFailed = QStringLiteral("org.freedesktop.DBus.Error.Failed");
const QString kNotSupported = QStringLiteral("org.freedesktop.DBus.Error.NotSupported");
// A caller's word in an error text: a name of many megabytes is not sent back whole.
constexpr qsizetype kShownWordLength = 40;

QString Shown(const QString& word) {
    return word.size() > kShownWordLength ? word.left(kShownWordLength) + QStringLiteral("...")
                                          : word;
}

QString NameOf(int item) {
    return QString::fromLatin1(Items::Info(item).name);
}

// The controller's messages during a caller's change become the text of the error reply
// instead of boxes on the desktop.
class CCollectedMessages : public IUserMessages {
public:
    CCollectedMessages() : m_previous(UserMessages()) { SetUserMessages(this); }
    ~CCollectedMessages() override { SetUserMessages(&m_previous); }
    CCollectedMessages(const CCollectedMessages&) = delete;
    CCollectedMessages& operator=(const CCollectedMessages&) = delete;

    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override {
        QString text = LoadAppString(stringId);
        if (!arg.isNull())
            text = text.arg(Shown(arg)); // a caller's path of megabytes is not sent back whole
        text = text.simplified();
        if (!m_texts.contains(text))
            m_texts << text;
        // A question during a caller's change keeps what is there.
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
    void Beep() override {}
    QString Text() const { return m_texts.join(' '); }

private:
    IUserMessages& m_previous;
    QStringList m_texts;
};

} // namespace

// One caller's change: what the controller says is collected, the items it changes are
// announced as the caller's, and at its end the windows are told, as of a front-panel key.
class CMonitorService::CClientCall {
public:
    explicit CClientCall(CMonitorService& service) : m_service(service) {
        m_service.m_pCall = this;
    }
    ~CClientCall() {
        m_service.m_pCall = nullptr;
        for (int item : m_changed)
            m_service.m_monitor.Notify(item, m_service.m_monitor.Item(item).current);
    }
    CClientCall(const CClientCall&) = delete;
    CClientCall& operator=(const CClientCall&) = delete;

    void Changed(int item) {
        if (std::find(m_changed.begin(), m_changed.end(), item) == m_changed.end())
            m_changed.push_back(item);
    }
    QString Messages() const { return m_messages.Text(); }

private:
    CMonitorService& m_service;
    CCollectedMessages m_messages;
    std::vector<int> m_changed;
};

CMonitorService::CMonitorService(CMonitor& monitor, Host host, QObject* parent)
    : QObject(parent), m_monitor(monitor), m_host(std::move(host)),
      m_bus(QStringLiteral("qelt32-unconnected")) {
    RegisterBusTypes();
    for (int item = 0; item < Items::kCount; ++item)
        m_announced[item] = m_monitor.Item(item).current;
    m_monitor.GetTiming(&m_fH, &m_fV);
    connect(&m_monitor, &CMonitor::itemUpdated, this, &CMonitorService::OnItemUpdated);
    connect(&m_monitor, &CMonitor::timingUpdated, this, &CMonitorService::OnTimingUpdated);
    connect(&m_monitor, &CMonicom::connectionChanged, this, &CMonitorService::ConnectionChanged);
}

CMonitorService::~CMonitorService() {
    Withdraw();
}

bool CMonitorService::Publish(QDBusConnection bus, QString* error) {
    m_bus = bus;
    if (!m_bus.isConnected()) {
        *error = QStringLiteral("no session bus: %1").arg(m_bus.lastError().message());
        return false;
    }
    if (!m_bus.registerObject(BusNames::kPath, BusNames::kInterface, this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                  QDBusConnection::ExportAllProperties)) {
        *error = QStringLiteral("cannot export %1: %2")
                     .arg(BusNames::kPath, m_bus.lastError().message());
        return false;
    }
    if (!m_bus.registerService(BusNames::kService)) {
        m_bus.unregisterObject(BusNames::kPath);
        const QString owner = m_bus.interface()->serviceOwner(BusNames::kService).value();
        *error =
            QStringLiteral("%1 is held by another program (%2)")
                .arg(BusNames::kService, owner.isEmpty() ? m_bus.lastError().message() : owner);
        return false;
    }
    m_bPublished = true;
    return true;
}

void CMonitorService::Withdraw() {
    if (!m_bPublished)
        return;
    m_bPublished = false;
    m_bus.unregisterService(BusNames::kService);
    m_bus.unregisterObject(BusNames::kPath);
}

// --- properties ---

QString CMonitorService::Port() const {
    // The device itself: an adapter found outside the slots is none of theirs.
    return m_monitor.DevicePath();
}

QString CMonitorService::Revision() const {
    return QString::fromLatin1(
        m_monitor.Identity().revision,
        qsizetype(qstrnlen(m_monitor.Identity().revision, sizeof m_monitor.Identity().revision)));
}

QString CMonitorService::Maker() const {
    return m_monitor.GetMakerName();
}

QString CMonitorService::Model() const {
    return m_monitor.GetModelName();
}

uint CMonitorService::Serial() const {
    return m_monitor.GetSerialNumber();
}

ushort CMonitorService::HorizontalKHz() const {
    std::uint16_t fH = 0;
    m_monitor.GetTiming(&fH, nullptr);
    return fH;
}

ushort CMonitorService::VerticalHz() const {
    std::uint16_t fV = 0;
    m_monitor.GetTiming(nullptr, &fV);
    return fV;
}

bool CMonitorService::Connected() const {
    return m_monitor.IsConnected();
}

int CMonitorService::ColorTemperatureStep() const {
    return m_monitor.GetColorTemp();
}

// --- reading ---

int CMonitorService::ItemOf(const QString& name) {
    const int item = Items::FromName(name);
    if (item < 0)
        sendErrorReply(kInvalidArgs, QStringLiteral("unknown item '%1'").arg(Shown(name)));
    return item;
}

ushort CMonitorService::GetItem(const QString& name, ushort& maximum, bool& available) {
    const int item = ItemOf(name);
    if (item < 0)
        return 0;
    const MonItem& record = m_monitor.Item(item);
    maximum = record.maximum;
    available = record.status == 0;
    return record.current;
}

BusItemList CMonitorService::GetItems(const QStringList& names) {
    BusItemList items;
    for (const QString& name : names) {
        const int item = ItemOf(name);
        if (item < 0)
            return {};
        const MonItem& record = m_monitor.Item(item);
        items.append({NameOf(item), record.current, record.maximum, record.status == 0});
    }
    return items;
}

// --- changing ---

bool CMonitorService::MayChange() {
    if (!Connected()) {
        sendErrorReply(BusNames::kDisconnected, QStringLiteral("the monitor is not connected"));
        return false;
    }
    if (m_host.busy && m_host.busy()) {
        sendErrorReply(BusNames::kBusy,
                       QStringLiteral("a dialog or the full-screen mode has the monitor; "
                                      "changes wait until it is closed"));
        return false;
    }
    return true;
}

void CMonitorService::Fail(const QString& error, const QString& text) {
    const QString told = m_pCall ? m_pCall->Messages() : QString();
    sendErrorReply(error, told.isEmpty() ? text : text + QStringLiteral(": ") + told);
}

ushort CMonitorService::WriteChecked(int item, std::uint16_t value) {
    const MonItem& record = m_monitor.Item(item);
    const QString refused =
        QStringLiteral("%1: the monitor did not take %2").arg(NameOf(item)).arg(value);
    if (record.status != 0) {
        sendErrorReply(BusNames::kNotTaken,
                       QStringLiteral("this monitor has no %1").arg(NameOf(item)));
        return record.current;
    }
    // Items up to sub-contrast are lowered to their maximum, as the panel's sliders are;
    // a switch or index the monitor cannot hold is refused before anything is sent.
    const bool mode = item >= Items::ModeWord;
    if (mode && item != Items::AutoSizeItem && value > record.maximum) {
        sendErrorReply(kInvalidArgs, QStringLiteral("%1: %2 is above the maximum %3")
                                         .arg(NameOf(item))
                                         .arg(value)
                                         .arg(record.maximum));
        return record.current;
    }
    if (!m_monitor.WriteItem(item, value)) {
        Fail(BusNames::kNotTaken, refused);
        return record.current;
    }
    // The mode items are sent without a read-back of their own; auto-sizing is a trigger.
    if (mode && item != Items::AutoSizeItem &&
        (!m_monitor.ReadItem(item) || record.current != value))
        Fail(BusNames::kNotTaken, refused);
    return record.current;
}

ushort CMonitorService::SetItem(const QString& name, ushort value) {
    const int item = ItemOf(name);
    if (item < 0 || !MayChange())
        return 0;
    CClientCall call(*this);
    return WriteChecked(item, value);
}

ushort CMonitorService::AdjustItem(const QString& name, int delta) {
    const int item = ItemOf(name);
    if (item < 0 || !MayChange())
        return 0;
    const MonItem& record = m_monitor.Item(item);
    // Whole integers: a large delta cannot wrap into the range.
    const qint64 target = qint64(record.current) + delta;
    if (target < 0 || target > record.maximum) {
        sendErrorReply(kInvalidArgs,
                       QStringLiteral("%1 %2 %3 %4 gives %5, outside 0..%6; nothing sent")
                           .arg(NameOf(item))
                           .arg(record.current)
                           .arg(delta < 0 ? '-' : '+')
                           .arg(std::llabs(qint64(delta)))
                           .arg(target)
                           .arg(record.maximum));
        return record.current;
    }
    CClientCall call(*this);
    return WriteChecked(item, std::uint16_t(target));
}

void CMonitorService::SetColorTemperature(uint kelvinOrStep) {
    if (!MayChange())
        return;
    const bool revisionB = m_monitor.GetProtocolRevision() == 0;
    // Plain numbers from 4000 up are temperatures, smaller ones steps of the scale.
    constexpr uint kLowestKelvin = 4000;
    const int step = kelvinOrStep >= kLowestKelvin
                         ? ColorTemp::StepOfKelvin(int(std::min(kelvinOrStep, 100000u)), revisionB)
                     : int(kelvinOrStep) <= ColorTemp::LastStep(revisionB) ? int(kelvinOrStep)
                                                                           : -1;
    if (step < 0) {
        sendErrorReply(kInvalidArgs,
                       QStringLiteral("%1 is neither a step (0..%2) nor a temperature of this "
                                      "monitor's scale")
                           .arg(kelvinOrStep)
                           .arg(ColorTemp::LastStep(revisionB)));
        return;
    }
    CClientCall call(*this);
    if (!m_monitor.SetColorTemp(step))
        Fail(BusNames::kNotTaken, QStringLiteral("the monitor did not take every colour value"));
}

void CMonitorService::Command(const QString& name) {
    struct Known {
        const char* name;
        std::function<bool(CMonitor&)> run;
    };
    static const Known kCommands[] = {
        {"degauss", [](CMonitor& m) { return m.Degauss(); }},
        {"autosize", [](CMonitor& m) { return m.AutoSize(); }},
        {"store", [](CMonitor& m) { return m.StoreInMemory(true); }},
        {"reset-all", [](CMonitor& m) { return m.ResetGroup(0); }},
        {"reset-geometry", [](CMonitor& m) { return m.ResetGroup(1); }},
        {"reset-convergence", [](CMonitor& m) { return m.ResetGroup(2); }},
        {"reset-color", [](CMonitor& m) { return m.ResetGroup(3); }},
    };
    const Known* command = nullptr;
    for (const Known& known : kCommands)
        if (name == QLatin1String(known.name))
            command = &known;
    if (!command) {
        sendErrorReply(kInvalidArgs,
                       QStringLiteral("unknown command '%1' (degauss, autosize, store, "
                                      "reset-all, reset-geometry, reset-convergence, reset-color)")
                           .arg(Shown(name)));
        return;
    }
    if (!MayChange())
        return;
    if (command == &kCommands[1] && !m_monitor.IsAvailable(Items::AutoSizeItem)) {
        sendErrorReply(BusNames::kNotTaken,
                       QStringLiteral("this monitor cannot size the picture itself"));
        return;
    }
    CClientCall call(*this);
    if (!command->run(m_monitor))
        Fail(BusNames::kNotTaken, QStringLiteral("the monitor did not take %1").arg(name));
}

void CMonitorService::LoadFile(const QString& path, const QStringList& groups) {
    // The service does not share the caller's working folder.
    if (!QDir::isAbsolutePath(path)) {
        sendErrorReply(kInvalidArgs,
                       QStringLiteral("'%1' is not an absolute path").arg(Shown(path)));
        return;
    }
    LoadGroups chosen =
        groups.isEmpty() ? LoadGroups::FromProfile() : LoadGroups{false, false, false};
    for (const QString& group : groups) {
        if (group == QLatin1String("screen"))
            chosen.screen = true;
        else if (group == QLatin1String("color") || group == QLatin1String("colour"))
            chosen.color = true;
        else if (group == QLatin1String("power"))
            chosen.power = true;
        else {
            sendErrorReply(
                kInvalidArgs,
                QStringLiteral("unknown group '%1' (screen, color, power)").arg(Shown(group)));
            return;
        }
    }
    if (!chosen.Any()) {
        sendErrorReply(kInvalidArgs, QStringLiteral("choose at least one group"));
        return;
    }
    if (!MayChange())
        return;
    CClientCall call(*this);
    // The file is read and checked before anything is sent.
    const std::optional<SettingsFormat::SettingsContent> content = CQelt32Doc::ReadFile(path);
    if (!content) {
        Fail(kInvalidArgs, QStringLiteral("%1: not loaded").arg(Shown(path)));
        return;
    }
    CQelt32Doc doc(m_monitor);
    if (!doc.Load(*content, chosen))
        Fail(doc.m_bRejected ? kInvalidArgs : BusNames::kNotTaken,
             QStringLiteral("%1: not loaded").arg(Shown(path)));
}

void CMonitorService::SaveFile(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        sendErrorReply(kInvalidArgs,
                       QStringLiteral("'%1' is not an absolute path").arg(Shown(path)));
        return;
    }
    CClientCall call(*this);
    if (!CQelt32Doc(m_monitor).OnSaveDocument(path))
        Fail(kFailed, QStringLiteral("%1: not saved").arg(Shown(path)));
}

void CMonitorService::Quit() {
    if (!m_host.quit) {
        sendErrorReply(kNotSupported, QStringLiteral("this program is ended from its own window"));
        return;
    }
    // The reply goes out first; the program then lets the monitor go.
    QTimer::singleShot(0, this, [this] { m_host.quit(); });
}

// --- announcing ---

void CMonitorService::OnItemUpdated(int item, bool byMonitor) {
    const quint16 value = m_monitor.Item(item).current;
    if (value == m_announced[item])
        return;
    m_announced[item] = value;
    const QString& origin = byMonitor ? BusNames::kFrontPanel
                            : m_pCall ? BusNames::kClient
                                      : BusNames::kProgram;
    if (m_pCall && !byMonitor)
        m_pCall->Changed(item);
    emit ItemChanged(NameOf(item), value, origin);
}

void CMonitorService::OnTimingUpdated() {
    std::uint16_t fH = 0, fV = 0;
    m_monitor.GetTiming(&fH, &fV);
    if (fH == m_fH && fV == m_fV)
        return;
    m_fH = fH;
    m_fV = fV;
    emit TimingChanged(fH, fV);
}
