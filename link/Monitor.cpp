#include "link/Monitor.h"
#include "link/MonitorNotify.h"

#include "platform/PortDiscovery.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {
constexpr int kPorts = 4;
constexpr int kItemQueries = 3;
constexpr int kVerifyAttempts = 3;
// Larger changes reach the monitor in steps of this size, so the picture moves smoothly.
constexpr int kRampStep = 5;
constexpr std::uint8_t kModelTR5513 = 1;
constexpr int kVConvTop = 20, kVConvBottom = 21;

bool FieldIs(const char* field, const char* text) {
    return std::strcmp(field, text) == 0;
}

std::uint8_t RevisionOf(const MonIdentity& identity) {
    if (FieldIs(identity.revision, "B"))
        return 0;
    if (FieldIs(identity.revision, "C"))
        return 1;
    return 0xFF;
}

std::uint8_t ModelOf(const MonIdentity& identity) {
    if (FieldIs(identity.model, "TR-4427 "))
        return 0;
    if (FieldIs(identity.model, "TR-5513 "))
        return 1;
    return 0xFF;
}

bool IsThirdModel(const MonIdentity& identity) {
    return FieldIs(identity.model, "TR-3306 ");
}
} // namespace

CMonitor::CMonitor(QObject* parent) : CMonicom(parent) {
    for (int item = 0; item < Items::kCount; ++item)
        m_items[item].code = Items::Info(item).code;
}

CMonitor::~CMonitor() {
    if (PortMap().RemembersPortIndex()) {
        Profile::WriteInt("Settings", "com", m_nPortIndex);
        // A run that found no monitor leaves the remembered adapter for the next one.
        if (m_bFound)
            Profile::WriteString("Settings", "Device", m_strAdapter);
    }
    StopWatcher();
}

// --- identity and connection ---

bool CMonitor::Connect(bool tellUser) {
    if (!FindMonitor(tellUser))
        return false;
    ReadTiming();
    return true;
}

bool CMonitor::ConnectTo(const QString& path) {
    m_connectFailures.clear();
    m_connectDevices.clear();
    if (!OpenDevice(path)) {
        m_connectFailures.append(OpenFailure());
        m_connectDevices.append(path);
        return false;
    }
    FoundOn(PortDiscovery::StableName(path));
    ReadTiming();
    return true;
}

bool CMonitor::FindMonitor(bool tellUser) {
    // The adapter of the last run first, then the slot of the last run, then the other
    // slots in order, then every other adapter.
    const int last = Profile::GetInt("Settings", "com", 0);
    if (last >= 0 && last < kPorts)
        m_nPortIndex = last;
    const bool usersPorts = PortMap().RemembersPortIndex();
    const QString remembered = usersPorts ? Profile::GetString("Settings", "Device") : QString();
    m_connectFailures.clear();
    m_connectDevices.clear();
    auto failed = [this] {
        if (!OpenFailure().isEmpty()) {
            m_connectFailures.append(OpenFailure());
            m_connectDevices.append(DevicePath());
        }
        return false;
    };
    auto probeSlot = [&](int index) { return OpenPort(index) ? FoundOn(QString()) : failed(); };
    auto probeAdapter = [&](const QString& path) {
        return OpenDevice(path) ? FoundOn(PortDiscovery::StableName(path)) : failed();
    };
    bool found = !remembered.isEmpty() && probeAdapter(remembered);
    found = found || (last >= 0 && last < kPorts && probeSlot(last));
    for (int index = 0; index < kPorts && !found; ++index)
        if (index != last)
            found = probeSlot(index);
    if (!found && usersPorts) {
        for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters()) {
            if (adapter.path == remembered)
                continue;
            if (!adapter.skipped.isEmpty()) {
                m_connectFailures.append(adapter.path + QStringLiteral(": ") + adapter.skipped);
                m_connectDevices.append(adapter.path);
            } else if ((found = probeAdapter(adapter.path)))
                break;
        }
    }
    if (!found) {
        if (tellUser)
            UserMessages().Show(Str::NoMonitor);
        return false;
    }
    return true;
}

bool CMonitor::ReadAll() {
    ReadTiming();
    if (!ReadModes() || !ReadGeometry() || !ReadConvergence() || !ReadColor() ||
        !ReadBrightContrast() || !ReadColorTempTable())
        return false;
    // What was just read is what the monitor's memory holds: closing compares against it.
    CommitAllGroups();
    return true;
}

bool CMonitor::Reconnect(const QString& path,
                         const std::function<bool(std::uint32_t, const QString&)>& acceptOther) {
    const MonIdentity lost = m_identity;
    const QString reason = LinkLostReason();
    auto giveUp = [&] {
        ClosePort(reason);
        m_identity = lost;
        return false;
    };
    if (!OpenDevice(path)) {
        m_identity = lost;
        return false;
    }
    const QString otherModel = IsSameKind(lost) ? QString() : GetModelName();
    if ((m_identity.serial != lost.serial || !otherModel.isEmpty()) &&
        !(acceptOther && acceptOther(m_identity.serial, otherModel)))
        return giveUp();
    if (!ReadAll())
        return giveUp();
    // A slot keeps its index; anything else is remembered as the adapter it is.
    const bool slot = PortMap().Path(m_nPortIndex) == path && m_strAdapter.isEmpty();
    return FoundOn(slot ? QString() : PortDiscovery::StableName(path));
}

bool CMonitor::SwitchTo(PortTrial trial) {
    // What the windows show stays, should the new monitor not be read.
    const ReadState shown = SaveReadState();
    ExchangePort(trial);
    Port().Purge();
    if (!ReadAll()) {
        m_connectFailures = {
            QStringLiteral("%1: the monitor answered, but could not be read").arg(DevicePath())};
        m_connectDevices = {DevicePath()};
        Port().Close();
        ExchangePort(trial);
        RestoreReadState(shown);
        if (WindowExists())
            CreateWindow();
        return false;
    }
    const QString path = DevicePath();
    KeepExchangedPort(trial);
    // A device of the port map keeps its slot; anything else is remembered as an adapter.
    for (int index = 0; index < kPorts; ++index) {
        if (PortMap().Path(index) == path) {
            m_nPortIndex = index;
            return FoundOn(QString());
        }
    }
    return FoundOn(PortDiscovery::StableName(path));
}

CMonitor::ReadState CMonitor::SaveReadState() const {
    return {m_items, m_fH, m_fV, m_bTimingKnown, m_tableA, m_tableB, m_tableC, m_T, m_U};
}

void CMonitor::RestoreReadState(const ReadState& state) {
    m_items = state.items;
    m_fH = state.fH;
    m_fV = state.fV;
    m_bTimingKnown = state.timingKnown;
    m_tableA = state.tableA;
    m_tableB = state.tableB;
    m_tableC = state.tableC;
    m_T = state.T;
    m_U = state.U;
}

bool CMonitor::FoundOn(const QString& adapter) {
    m_strAdapter = adapter;
    m_bFound = true;
    return true;
}

std::uint8_t CMonitor::GetProtocolRevision() const {
    return RevisionOf(m_identity);
}

std::uint8_t CMonitor::GetModelIndex() const {
    return ModelOf(m_identity);
}

bool CMonitor::IsNotThirdModel() const {
    return !IsThirdModel(m_identity);
}

bool CMonitor::IsSameKind(const MonIdentity& identity) const {
    return RevisionOf(identity) == RevisionOf(m_identity) &&
           ModelOf(identity) == ModelOf(m_identity) &&
           IsThirdModel(identity) == IsThirdModel(m_identity);
}

QString CMonitor::GetModelName() const {
    const char* blank = std::strchr(m_identity.model, ' ');
    const auto length = blank ? blank - m_identity.model : qsizetype(std::strlen(m_identity.model));
    return QString::fromLatin1(m_identity.model, length);
}

QString CMonitor::GetMakerName() const {
    return QString::fromLatin1(m_identity.maker).trimmed();
}

std::uint32_t CMonitor::GetSerialNumber() const {
    return m_identity.serial;
}

QString CMonitor::GetSerialText() const {
    return QString::number(m_identity.serial);
}

void CMonitor::SetNotifyWindow(QObject* window) {
    m_notifyWindow = window;
}

void CMonitor::Notify(int item, int value) {
    if (!m_notifyWindow)
        return;
    CMonitorNotifyEvent event(item, value);
    QCoreApplication::sendEvent(m_notifyWindow, &event);
}

bool CMonitor::ReadTiming() {
    std::uint16_t fH = 0, fV = 0;
    // Readings that could not be refreshed no longer say anything.
    m_bTimingKnown = QueryTiming(&fH, &fV);
    if (!m_bTimingKnown)
        return false;
    // Revision C reports hundredths; the cache holds kHz and Hz on every revision.
    if (GetProtocolRevision() == 1) {
        fH /= 100;
        fV /= 100;
    }
    m_fH = fH;
    m_fV = fV;
    emit timingUpdated();
    return true;
}

void CMonitor::GetTiming(std::uint16_t* fH, std::uint16_t* fV) const {
    if (fH)
        *fH = m_fH;
    if (fV)
        *fV = m_fV;
}

// --- reading ---

void CMonitor::GetItem(int item, std::int16_t* maximum, std::uint16_t* current, int* status) const {
    const MonItem& it = m_items[item];
    if (maximum)
        *maximum = static_cast<std::int16_t>(it.maximum);
    if (current)
        *current = it.current;
    if (status)
        *status = it.status;
}

bool CMonitor::ReadItem(int item) {
    MonItem& it = m_items[item];
    for (int attempt = 0; attempt < kItemQueries; ++attempt) {
        std::uint16_t maximum = 0, value = 0;
        int status = 0;
        if (QueryItem(it.code, &maximum, &value, &status)) {
            it.maximum = maximum;
            it.current = value;
            it.status = status;
            emit itemUpdated(item, m_nFollowingMonitor > 0);
            return true;
        }
    }
    UserMessages().Show(Str::CommFailure);
    return false;
}

bool CMonitor::ReadGroup(Items::Group group) {
    const int first = Items::First(group), last = Items::Last(group);
    for (int item = first; item <= last; ++item)
        if (!ReadItem(item))
            return false;
    for (int item = first; item <= last; ++item)
        AfterGroupRead(item);
    return true;
}

bool CMonitor::ReadItems(const std::vector<int>& items) {
    for (int item : items)
        if (item < 0 || item >= Items::kCount || !ReadItem(item))
            return false;
    for (int item : items)
        AfterGroupRead(item);
    return true;
}

void CMonitor::AfterGroupRead(int item) {
    // This model reports the top and bottom convergence but cannot adjust them.
    if ((item == kVConvTop || item == kVConvBottom) && GetModelIndex() == kModelTR5513)
        m_items[item].status = 1;
    // Ramping starts from what was read; the mode items are sent whole and never ramp.
    if (item < Items::ModeWord)
        m_items[item].device = m_items[item].current;
}

bool CMonitor::ReadBrightContrast() {
    return ReadGroup(Items::Group::BrightContrast);
}
bool CMonitor::ReadGeometry() {
    return ReadGroup(Items::Group::Geometry);
}
bool CMonitor::ReadConvergence() {
    return ReadGroup(Items::Group::Convergence);
}
bool CMonitor::ReadColor() {
    return ReadGroup(Items::Group::Color);
}
bool CMonitor::ReadModes() {
    return ReadGroup(Items::Group::Modes);
}

// --- writing ---

bool CMonitor::WriteItem(int item, std::uint16_t value) {
    if (item < 0 || item >= Items::kCount)
        return false;
    const bool written = WriteItemNow(item, value);
    emit itemUpdated(item, false);
    return written;
}

bool CMonitor::WriteItemNow(int item, std::uint16_t value) {
    MonItem& it = m_items[item];
    // A write is one action for the user: a read-back that failed and the write's own
    // failure after it are one communication failure, said once.
    CShowOnce once(Str::CommFailure);
    auto failed = [] {
        UserMessages().Show(Str::CommFailure);
        return false;
    };

    // The mode items are switches and indices: sent as they are, without ramp or check.
    if (item >= Items::ModeWord) {
        if (item == Items::ColorMode && it.current == value)
            return true;
        if (it.status != 0)
            return true;
        const std::uint16_t before = it.current;
        it.current = value;
        if (!SendSetValue(value, it.code)) {
            it.current = before; // it never reached the monitor
            return failed();
        }
        it.device = it.current;
        return true;
    }

    if (it.status != 0)
        return true;
    const std::uint16_t target = std::min(value, it.maximum);
    it.current = target;
    // The cache follows every exchange: "device" is what the monitor last took or reported,
    // and after a failure "current" says the same, so the next write ramps from the truth.
    auto send = [&](std::uint16_t sent) {
        if (!SendSetValue(sent, it.code))
            return false;
        it.device = sent;
        return true;
    };
    auto sendFailed = [&] {
        it.current = it.device;
        return failed();
    };
    while (target > it.device && target - it.device > kRampStep)
        if (!send(it.device + kRampStep))
            return sendFailed();
    while (target < it.device && it.device - target > kRampStep)
        if (!send(it.device - kRampStep))
            return sendFailed();
    if (!send(target))
        return sendFailed();

    // Read back; a monitor that reports something else gets the target again, but not
    // after the last read-back: a send nobody checks would leave the cache guessing.
    for (int attempt = 0; attempt < kVerifyAttempts; ++attempt) {
        if (ReadItem(item)) {
            it.device = it.current;
            if (it.current == target)
                return true;
        }
        if (attempt + 1 == kVerifyAttempts)
            break;
        if (!send(target))
            return sendFailed();
        it.current = target;
    }
    it.current = it.device;
    return failed();
}

bool CMonitor::AdjustItems(int item1, int delta1, int item2, int delta2, bool both) {
    auto valid = [](int item) { return item >= 0 && item < Items::kCount; };
    if (!valid(item1) || (both && !valid(item2)))
        return false;
    // The arithmetic is 16-bit and signed, as the cached values and maxima are.
    auto stepped = [this](int item, int delta) {
        return static_cast<std::int16_t>(static_cast<std::int16_t>(m_items[item].current) + delta);
    };
    auto inRange = [this](int item, std::int16_t value) {
        return value >= 0 && value <= static_cast<std::int16_t>(m_items[item].maximum);
    };
    const std::int16_t new1 = stepped(item1, delta1);
    const std::int16_t new2 = both ? stepped(item2, delta2) : 0;
    if (!inRange(item1, new1) || (both && !inRange(item2, new2))) {
        UserMessages().Beep();
        return false;
    }
    if (!WriteItem(item1, static_cast<std::uint16_t>(new1)))
        return false;
    return !both || WriteItem(item2, static_cast<std::uint16_t>(new2));
}
