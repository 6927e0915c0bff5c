#include "link/Monicom.h"

#include "platform/PlatformFlags.h"
#include "platform/PortMap.h"
#include "platform/PosixSerialPort.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cctype>
#include <cstring>

namespace {
using Clock = ISerialPort::Clock;

constexpr std::uint8_t kQueryItem = 0x01;
constexpr std::uint8_t kSetValue = 0x03;
constexpr std::uint8_t kQueryTiming = 0x07;
constexpr std::uint8_t kReadMemory = 0x59;
constexpr std::uint8_t kIdentify = 0xF1;

constexpr std::uint8_t kItemReply = 0x02;
constexpr std::uint8_t kTimingReply = 0x4E;
constexpr std::uint8_t kPanelReport = 0x58;
constexpr std::uint8_t kIdentityReply = 0xE1;

constexpr std::uint8_t kModeWordCode = 0xF0;
constexpr int kSetValueWrites = 4;
constexpr int kModeWordQueries = 4;

// Reads the mode word from the monitor, changes the two bits of a three-way mode and
// sends it back without looking at the send.
bool ChangeModeWordBits(CMonicom& link, int mode, std::uint16_t first, std::uint16_t second) {
    std::uint16_t word = 0;
    bool read = false;
    for (int attempt = 0; attempt < kModeWordQueries && !read; ++attempt)
        read = link.QueryItem(kModeWordCode, nullptr, &word, nullptr);
    if (!read)
        return false;
    link.SendSetValue(ModeBits::ApplyTwoBitMode(word, mode, first, second), kModeWordCode);
    return true;
}
} // namespace

std::uint16_t ModeBits::ApplyTwoBitMode(std::uint16_t word, int mode, std::uint16_t first,
                                        std::uint16_t second) {
    switch (mode) {
    case 0:
        return word & ~(first | second);
    case 1:
        return (word & ~first) | second;
    case 2:
        return word | first;
    default:
        return word;
    }
}

CMonicom::CMonicom(QObject* parent)
    : QObject(parent), m_ownPort(std::make_unique<CPosixSerialPort>()), m_pPort(m_ownPort.get()) {
    m_bIsWindows95 = Platform().isWindows95;
    m_watchInfo.wait = m_bIsWindows95;
    m_stopEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_doneEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    // Handled on this object's thread once the exchange that found the port dead is over.
    connect(this, &CMonicom::portFailed, this, &CMonicom::OnPortFailed, Qt::QueuedConnection);
}

CMonicom::~CMonicom() {
    // Closing at the end is no lost link that anyone needs to hear of.
    blockSignals(true);
    ClosePort();
    ::close(m_stopEvent);
    ::close(m_doneEvent);
}

void CMonicom::SetSerialPort(ISerialPort* port) {
    ClosePort();
    m_pPort = port ? port : m_ownPort.get();
}

ISerialPort& CMonicom::Port() {
    return *m_pPort;
}

void CMonicom::SetTraceSink(TraceSink sink) {
    m_trace = std::move(sink);
}

void CMonicom::Trace(bool sent, const std::uint8_t* bytes, std::size_t count) const {
    if (m_trace && count > 0)
        m_trace(sent, bytes, count);
}

bool CMonicom::IsPortOpen() const {
    return m_pPort->IsOpen();
}

bool CMonicom::PortFailed() const {
    return m_pPort->QueuedInput() < 0;
}

void CMonicom::SetConnected(bool connected) {
    if (connected == m_bConnected)
        return;
    m_bConnected = connected;
    if (connected)
        m_strLinkLost.clear();
    emit connectionChanged(connected);
}

void CMonicom::NoteIfPortDead() {
    if (m_bConnected && PortFailed())
        emit portFailed();
}

void CMonicom::OnPortFailed() {
    // The report may be older than a port opened since: only a dead port is closed.
    if (!m_bConnected || !PortFailed())
        return;
    QString why = Port().LastError();
    if (why.isEmpty())
        why = QStringLiteral("the device hung up");
    ClosePort(QStringLiteral("%1: %2").arg(m_strPortPath, why));
}

bool CMonicom::OpenPort(int index) {
    const QString path = PortMap().Path(index);
    if (path.isEmpty()) {
        m_identity.maker[0] = '\0';
        m_strOpenFailure.clear();
        return false;
    }
    if (!OpenDevice(path))
        return false;
    m_nPortIndex = index;
    return true;
}

bool CMonicom::OpenDevice(const QString& path) {
    m_identity.maker[0] = '\0';
    // Re-opening closes the descriptor the watcher waits on: it stops first, and comes back
    // once a monitor answers on the new one, so later front-panel reports still arrive.
    StopWatcher();
    SetConnected(false);
    m_strPortPath = path;
    m_strOpenFailure = OpenAndIdentify(path, true);
    if (!m_strOpenFailure.isEmpty()) {
        // A probe that finds nothing leaves the reason of a lost link as it was.
        ClosePort(m_strLinkLost);
        return false;
    }
    SetConnected(true);
    return !m_bWindow || CreateWindow();
}

QString CMonicom::OpenAndIdentify(const QString& path, bool tellFlatPanel) {
    // An empty reason means success to our callers, so a port that fails without one
    // still gets one.
    if (!Port().Open(path))
        return Port().LastError().isEmpty() ? QStringLiteral("%1: cannot be opened").arg(path)
                                            : Port().LastError();
    auto refuse = [&](const QString& why) {
        Port().Close();
        return QStringLiteral("%1: %2").arg(path, why);
    };
    Port().Purge();
    MonReply reply;
    // A port that takes no data (flow control held, an adapter that never sends) is not a
    // monitor that stays silent: the user is told which of the two it was.
    if (!SendCommand(kIdentify))
        return refuse(m_strWriteFailure);
    if (!ReceiveFrame(reply) || reply.kind != kIdentityReply)
        return refuse(QStringLiteral("no monitor answered"));
    m_identity = reply.identity;
    if (std::strstr(m_identity.model, "LQ")) {
        if (tellFlatPanel)
            UserMessages().Show(Str::FlatPanel);
        return refuse(QStringLiteral("a flat panel answered"));
    }
    for (char& c : m_identity.maker)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (std::strstr(m_identity.maker, "QURE") || std::strstr(m_identity.maker, "VORKA"))
        return QString();
    return refuse(QStringLiteral("a monitor of another maker answered (%1)")
                      .arg(QString::fromLatin1(m_identity.maker).trimmed()));
}

PortTrial CMonicom::TryDevice(const QString& path) {
    PortTrial trial;
    trial.owned = std::make_unique<CPosixSerialPort>();
    trial.port = trial.owned.get();
    trial.path = path;
    const bool watching = m_watcher.joinable();
    // The request goes out on the trial's port; the port in use waits, untouched, and its
    // watcher with it (nothing it hands on could be read meanwhile).
    ExchangePort(trial);
    const QString failure = OpenAndIdentify(path, false);
    ExchangePort(trial);
    if (watching)
        CreateWindow();
    m_strOpenFailure = failure;
    if (!failure.isEmpty()) {
        trial.port = nullptr;
        trial.owned.reset();
    }
    return trial;
}

void CMonicom::ExchangePort(PortTrial& other) {
    StopWatcher();
    std::swap(m_ownPort, other.owned);
    std::swap(m_pPort, other.port);
    std::swap(m_strPortPath, other.path);
    std::swap(m_identity, other.identity);
}

void CMonicom::KeepExchangedPort(PortTrial& left) {
    // The port left behind is given back as it was found.
    if (left.port && left.port->IsOpen())
        left.port->Close();
    m_strOpenFailure.clear();
    SetConnected(true);
    if (m_bWindow)
        CreateWindow();
}

void CMonicom::ClosePort() {
    ClosePort(QString());
}

void CMonicom::ClosePort(const QString& linkLost) {
    // The watcher cannot outlive the port it waits on.
    StopWatcher();
    if (Port().IsOpen())
        Port().Close();
    m_strLinkLost = linkLost;
    SetConnected(false);
}

void CMonicom::SetServedLink(const QString& path, bool connected, const QString& linkLost) {
    m_bServed = true;
    m_strPortPath = path;
    if (!connected)
        m_strLinkLost = linkLost;
    SetConnected(connected);
}

bool CMonicom::ReadBytes(std::uint8_t* data, std::size_t count, Clock::time_point deadline) {
    if (!Port().WaitQueued(count, deadline))
        return false;
    if (!Port().ReadExact(data, count)) {
        Port().ClearError();
        return false;
    }
    return true;
}

bool CMonicom::WriteFrame(const std::vector<std::uint8_t>& frame) {
    const QString notAccepted = QStringLiteral("the port did not accept data (%1)");
    if (!Port().WaitOutputDrained(Clock::now() + m_timings.reply)) {
        m_strWriteFailure = notAccepted.arg(Port().LastError());
        NoteIfPortDead();
        return false;
    }
    if (!Port().WriteAll(frame.data(), frame.size())) {
        m_strWriteFailure = notAccepted.arg(Port().LastError());
        Port().ClearError();
        NoteIfPortDead();
        return false;
    }
    Trace(true, frame.data(), frame.size());
    return true;
}

bool CMonicom::SendFrame(const MonRequest& request) {
    return WriteFrame(MonFrame::BuildRequest(request));
}

bool CMonicom::ReceiveFrame(MonReply& reply) {
    return ReceiveFrame(reply, Clock::now() + m_timings.reply);
}

bool CMonicom::ReceiveFrame(MonReply& reply, Clock::time_point deadline) {
    // Every byte this receive consumed, kept for the trace only; the buffer is reused, so a
    // receive allocates nothing once it has seen its longest frame.
    std::vector<std::uint8_t>& taken = m_taken;
    taken.clear();
    auto take = [&](std::uint8_t* data, std::size_t count, Clock::time_point deadline) {
        if (!ReadBytes(data, count, deadline))
            return false;
        if (m_trace)
            taken.insert(taken.end(), data, data + count);
        return true;
    };
    auto fail = [&] {
        Trace(false, taken.data(), taken.size());
        return false;
    };

    // Sync: two 0x55 in a row. Every stage of the frame shares the one deadline, so a line
    // that carries noise or trickles a frame cannot hold the caller past it.
    std::uint8_t byte = 0, previous = 0;
    do {
        previous = byte;
        if (!take(&byte, 1, deadline))
            return fail();
    } while (!(previous == MonFrame::kSync && byte == MonFrame::kSync));

    std::uint8_t head[4]; // 'P', 'n', length, kind
    if (!take(&head[0], 1, deadline) || head[0] != 'P')
        return fail();
    if (!take(&head[1], 1, deadline) || head[1] != 'n')
        return fail();
    if (!take(&head[2], 2, deadline))
        return fail();
    const std::uint8_t length = head[2], kind = head[3];

    // A declared length beyond the receive buffer is not read at all; the next receive
    // skips these bytes while it looks for the sync.
    const int body = MonFrame::ReplyBodyLength(length, kind);
    if (body < 1 || body > MonFrame::kMaxReplyBody)
        return fail();
    std::array<std::uint8_t, MonFrame::kMaxReplyBody> data{};
    if (!take(data.data(), body, deadline))
        return fail();
    if (MonFrame::Xor(data.data(), body - 1, MonFrame::Xor(head, 4)) != data[body - 1])
        return fail();
    // Unknown kinds, and known ones too short to hold their data, are dropped here; the
    // trailer is left for the next receive to skip.
    const int dataCount = MonFrame::ReplyDataCount(kind);
    if (dataCount < 0 || body - 1 < dataCount)
        return fail();

    std::uint8_t trailer = 0;
    for (int i = 0; i < 2; ++i)
        if (!take(&trailer, 1, deadline) || trailer != MonFrame::kTrailer)
            return fail();

    Trace(false, taken.data(), taken.size());
    reply.length = length;
    reply.kind = kind;
    std::copy(data.begin(), data.begin() + body - 1, reply.data.begin());
    if (kind == kIdentityReply)
        reply.identity = MonFrame::UnpackIdentity(data.data());
    return true;
}

bool CMonicom::SendCommand(std::uint8_t command) {
    return SendFrame({0x81, command, {}});
}

bool CMonicom::SendSetValue(std::uint16_t value, std::uint8_t code) {
    const MonRequest request{
        0x84, kSetValue, {code, std::uint8_t(value >> 8), std::uint8_t(value)}};
    for (int attempt = 0; attempt < kSetValueWrites; ++attempt)
        if (SendFrame(request))
            return true;
    return false;
}

bool CMonicom::AwaitReply(MonReply& reply, const std::function<bool(const MonReply&)>& accept) {
    // The monitor has one reply wait from the request to the end of its answer, however
    // many frames and stages that takes.
    const auto deadline = Clock::now() + m_timings.reply;
    do {
        if (ReceiveFrame(reply, deadline)) {
            if (accept(reply))
                return true;
            // A key pressed on the monitor while we wait is as real as one the watcher sees.
            if (reply.kind == kPanelReport)
                OnPanelReportWhileWaiting(reply);
        } else if (PortFailed()) {
            NoteIfPortDead();
            return false;
        }
        reply = MonReply();
    } while (Clock::now() <= deadline);
    return false;
}

bool CMonicom::QueryItem(std::uint8_t code, std::uint16_t* maximum, std::uint16_t* value,
                         int* status) {
    if (!SendFrame({0x82, kQueryItem, {code}}))
        return false;
    MonReply reply;
    const bool answered = AwaitReply(reply, [&](const MonReply& r) {
        // The timing changed under us; once the window exists it is read again later.
        if (r.kind == kTimingReply && m_bWindow)
            QMetaObject::invokeMethod(this, &CMonicom::OnTimingChanged, Qt::QueuedConnection);
        return r.kind == kItemReply && r.data[1] == code;
    });
    if (!answered)
        return false;
    if (status)
        *status = reply.data[0];
    if (maximum)
        *maximum = std::uint16_t(reply.data[3] << 8 | reply.data[4]);
    if (value)
        *value = std::uint16_t(reply.data[5] << 8 | reply.data[6]);
    return true;
}

bool CMonicom::QueryTiming(std::uint16_t* fH, std::uint16_t* fV) {
    if (!SendCommand(kQueryTiming))
        return false;
    MonReply reply;
    if (!AwaitReply(reply, [](const MonReply& r) { return r.kind == kTimingReply; }))
        return false;
    if (fH)
        *fH = std::uint16_t(reply.data[0] << 8 | reply.data[1]);
    if (fV)
        *fV = std::uint16_t(reply.data[2] << 8 | reply.data[3]);
    return true;
}

bool CMonicom::ReadMemory(std::uint16_t address, std::uint8_t* first, std::uint8_t* second) {
    const std::uint8_t high = address >> 8, low = address & 0xFF;
    if (!SendFrame({0x83, kReadMemory, {high, low}}))
        return false;
    MonReply reply;
    // Any kind that echoes the address and carries the two bytes will do.
    const bool answered = AwaitReply(reply, [&](const MonReply& r) {
        const int dataCount = MonFrame::ReplyBodyLength(r.length, r.kind) - 1;
        return dataCount >= 4 && r.data[0] == high && r.data[1] == low;
    });
    if (!answered)
        return false;
    if (first)
        *first = reply.data[2];
    if (second)
        *second = reply.data[3];
    return true;
}

bool CMonicom::SetPowerSaveMode(int mode) {
    return ChangeModeWordBits(*this, mode, ModeBits::PowerOff, ModeBits::PowerNutek);
}

bool CMonicom::SetInputDetection(int mode) {
    return ChangeModeWordBits(*this, mode, ModeBits::DetectManual, ModeBits::DetectBnc);
}
