#pragma once

#include "platform/SerialPort.h"

#include <QObject>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// A request as the link sends it: length byte (0x80 | bytes after it before the checksum),
// command byte, data bytes. The number of data bytes sent comes from the command table.
struct MonRequest {
    std::uint8_t length = 0x81;
    std::uint8_t command = 0;
    std::array<std::uint8_t, 4> data{};
};

// The identity the monitor gives in its kind-0xE1 reply.
struct MonIdentity {
    char revision[2] = {};
    char field2[8] = {};
    char maker[9] = {};
    char model[9] = {};
    std::uint32_t serial = 0;
};

// One unpacked reply; a receive sets only the fields its kind defines.
struct MonReply {
    std::uint8_t length = 0;
    std::uint8_t kind = 0; // 0 when nothing known was received
    std::array<std::uint8_t, 124> data{};
    MonIdentity identity;
};

// A device opened beside the link in use, with who answered there (CMonicom::TryDevice).
// Holds the port open, and so claimed, until it is taken or dropped.
struct PortTrial {
    std::unique_ptr<ISerialPort> owned;
    ISerialPort* port = nullptr; // null when no monitor of ours answered
    QString path;
    MonIdentity identity;
    explicit operator bool() const { return port != nullptr; }
};

// Handed to the watcher thread.
struct WATCHINFO {
    ISerialPort* port = nullptr;
    bool wait = false;         // the Windows-95 event wait; the poll() watcher serves both
    QObject* target = nullptr; // the controller's "window"
};

// How long the link waits for the monitor. The defaults are the monitor's own timings;
// tests shorten them so that a silent monitor does not cost seconds.
struct MonTimings {
    std::chrono::milliseconds reply{3000};       // each wait for bytes, a reply or a write
    std::chrono::milliseconds autoSize{3000};    // the monitor sizing the picture
    std::chrono::milliseconds timingStatus{700}; // revision C: status after a timing report
};

// Bits of the monitor's mode word (item 30, wire code 0xF0).
namespace ModeBits {
constexpr std::uint16_t InputBnc = 0x0008;     // current input: BNC (clear: D-SUB)
constexpr std::uint16_t DetectManual = 0x0010; // input detection: manual
constexpr std::uint16_t PowerOff = 0x0020;     // power saving off
constexpr std::uint16_t PowerNutek = 0x0040;   // power saving NUTEK
constexpr std::uint16_t Mode1Delay = 0x0080;   // delay before Mode 1: 3 minutes (clear: 5 s)
constexpr std::uint16_t HMoire = 0x0100;       // horizontal moire reduction on
constexpr std::uint16_t VMoire = 0x0200;       // vertical moire reduction on
constexpr std::uint16_t DetectBnc = 0x0400;    // automatic detection, priority on BNC
constexpr std::uint16_t BeepOff = 0x0800;
constexpr std::uint16_t ColorCustom = 0x2000; // user-defined colour, not a preset

// A three-way mode held in two bits: 0 clears both, 1 clears `first` and sets `second`,
// 2 sets `first`; any other mode leaves the word as it is.
std::uint16_t ApplyTwoBitMode(std::uint16_t word, int mode, std::uint16_t first,
                              std::uint16_t second);
// `word` with `mask` set or cleared.
constexpr std::uint16_t With(std::uint16_t word, std::uint16_t mask, bool on) {
    return on ? word | mask : word & ~mask;
}
} // namespace ModeBits

// Frame codec helpers, pure functions (tests call them directly).
namespace MonFrame {
constexpr std::uint8_t kSync = 0x55;
constexpr std::uint8_t kTrailer = 0xAA;
// The receive buffer after the kind byte: data and checksum.
constexpr int kMaxReplyBody = 124;

// Number of data bytes a request command carries.
int RequestDataCount(std::uint8_t command);
// The full request frame: sync, length, command, data, XOR checksum, 0xAA 0xAA.
std::vector<std::uint8_t> BuildRequest(const MonRequest& request);
// Data bytes of a reply kind, -1 for a kind the link does not know.
int ReplyDataCount(std::uint8_t kind);
// Bytes after the kind byte (data and checksum) that a reply with this length byte
// carries: the length's low 7 bits, except that a kind-0x5D reply declaring 3 has 4.
int ReplyBodyLength(std::uint8_t lengthByte, std::uint8_t kind);
// XOR of `count` bytes, starting from `seed`.
std::uint8_t Xor(const std::uint8_t* bytes, std::size_t count, std::uint8_t seed = 0);
// The identity record from the 28 data bytes of a kind-0xE1 reply.
MonIdentity UnpackIdentity(const std::uint8_t* data);
} // namespace MonFrame

// The serial link to the monitor: opens and identifies the port, sends request frames and
// reads reply frames. A QObject because the watcher and QueryItem deliver work to it as
// queued calls once its "window" exists (start-up creates it last).
class CMonicom : public QObject {
    Q_OBJECT
public:
    explicit CMonicom(QObject* parent = nullptr);
    ~CMonicom() override;

    // The port implementation (the POSIX one unless a test gives another). Not owned when
    // given; CMonicom makes its own CPosixSerialPort otherwise.
    void SetSerialPort(ISerialPort* port);
    ISerialPort& Port();

    // Frame tracing (qelt32ctl --trace): called for every frame sent (sent = true) and
    // for the bytes every receive took from the line, whether they made a frame or not.
    using TraceSink = std::function<void(bool sent, const std::uint8_t* bytes, std::size_t n)>;
    void SetTraceSink(TraceSink sink);

    void SetTimings(const MonTimings& timings) { m_timings = timings; }
    const MonTimings& Timings() const { return m_timings; }

    // Opens port slot `index` (0..3) and checks that our monitor answers there.
    bool OpenPort(int index);
    // The same for a device outside the slots (a USB adapter); the slot index stays.
    bool OpenDevice(const QString& path);
    // Opens `path` on a port of its own and asks who answers there, with the checks of
    // OpenDevice, while the link in use stays as it is (nothing is sent on it, its watcher
    // goes on). Holds a port when a monitor of ours answered; OpenFailure() says why not.
    PortTrial TryDevice(const QString& path);
    // The device the port was last opened as.
    const QString& DevicePath() const { return m_strPortPath; }
    // Why the last OpenPort failed ("/dev/ttyS0: in use by another program"); empty after
    // a success or for an empty port slot.
    const QString& OpenFailure() const { return m_strOpenFailure; }
    void ClosePort();
    bool IsPortOpen() const;
    // Whether a monitor answered on the open port and the port still works: false before
    // the first OpenPort, after ClosePort and once the link was lost (cable pulled, adapter
    // gone, read errors). connectionChanged tells of every change.
    bool IsConnected() const { return m_bConnected; }
    // Why the link was lost ("/dev/ttyUSB0: reading failed: Input/output error"); empty
    // while connected and after a ClosePort of our own.
    const QString& LinkLostReason() const { return m_strLinkLost; }
    int GetPortIndex() const { return m_nPortIndex; }
    // True when another program holds the port and this link reaches the monitor through it.
    bool IsServed() const { return m_bServed; }
    const MonIdentity& Identity() const { return m_identity; }

    bool SendFrame(const MonRequest& request);
    // Reads one frame; the whole frame must have arrived by the deadline (one reply wait
    // from now when none is given).
    bool ReceiveFrame(MonReply& reply);
    bool ReceiveFrame(MonReply& reply, ISerialPort::Clock::time_point deadline);
    bool SendCommand(std::uint8_t command);
    bool SendSetValue(std::uint16_t value, std::uint8_t code);
    bool QueryItem(std::uint8_t code, std::uint16_t* maximum, std::uint16_t* value, int* status);
    bool QueryTiming(std::uint16_t* fH, std::uint16_t* fV);
    bool ReadMemory(std::uint16_t address, std::uint8_t* first, std::uint8_t* second);

    virtual bool SetPowerSaveMode(int mode);
    virtual bool SetInputDetection(int mode);

    bool EnableReceiveEvent();
    bool DisableReceiveEvent();

    // Start-up's last step: the controller's window exists from now on, so timing frames
    // seen during a query are re-read later and the watcher thread runs.
    virtual bool CreateWindow();
    bool WindowExists() const { return m_bWindow; }
    // Signals the stop event and joins the watcher; safe to call twice.
    void StopWatcher();

signals:
    // The watcher found the port dead (cable pulled, device gone) and ended. Emitted on
    // the watcher thread, and on the controller's when an exchange finds the port dead;
    // the controller then closes the port and reports the lost link.
    void portFailed();
    // The connected state changed (see IsConnected). Emitted on the controller's thread,
    // never in the middle of an exchange with the monitor.
    void connectionChanged(bool connected);

public slots:
    // WM_USER+1: more than 5 bytes are queued (invoked by the watcher, which waits until
    // the handler has returned).
    virtual void OnMonitorData() {}
    // WM_USER+3: a timing frame arrived while QueryItem waited.
    virtual void OnTimingChanged() {}

protected:
    // A front-panel report (kind 0x58) arrived while a reply was awaited.
    virtual void OnPanelReportWhileWaiting(const MonReply&) {}

    WATCHINFO m_watchInfo;
    bool m_bIsWindows95 = false;
    MonIdentity m_identity;
    int m_nPortIndex = 0;
    bool m_bWindow = false;

    // True once the port reports itself dead: waiting any longer cannot help.
    bool PortFailed() const;
    // Closes the port; `linkLost` says why when the link was lost rather than closed.
    void ClosePort(const QString& linkLost);
    // For a link that another program holds and serves (the bus client): the device it
    // holds and whether it reaches the monitor there; `linkLost` says why not.
    void SetServedLink(const QString& path, bool connected, const QString& linkLost = {});
    // Puts the trial's port, device and identity in place of the link's and the link's in
    // the trial; the watcher stops first. Twice puts everything back.
    void ExchangePort(PortTrial& other);
    // After ExchangePort, makes the port now in use the link: the one `left` holds is
    // closed, the link is connected and, once the window exists, watched.
    void KeepExchangedPort(PortTrial& left);

private:
    // Opens `path` on the port and asks who answers; empty when a monitor of ours did,
    // otherwise why not (the port is then closed again).
    QString OpenAndIdentify(const QString& path, bool tellFlatPanel);
    bool ReadBytes(std::uint8_t* data, std::size_t count, ISerialPort::Clock::time_point deadline);
    bool WriteFrame(const std::vector<std::uint8_t>& frame);
    // Receives frames until `accept` takes one (TRUE, `reply` holds it), the reply wait
    // is over or the port is dead.
    bool AwaitReply(MonReply& reply, const std::function<bool(const MonReply&)>& accept);
    void Trace(bool sent, const std::uint8_t* bytes, std::size_t count) const;
    void SetConnected(bool connected);
    // An exchange failed: if the port itself is dead, the link is lost once it is over.
    void NoteIfPortDead();
    void OnPortFailed();
    void WatchThread();
    // Has OnMonitorData run on the controller's thread and waits until it has returned;
    // false when the stop event came first.
    bool DeliverMonitorData();

    std::unique_ptr<ISerialPort> m_ownPort;
    ISerialPort* m_pPort = nullptr;
    TraceSink m_trace;
    std::vector<std::uint8_t> m_taken; // the bytes the current receive took, for the trace
    MonTimings m_timings;
    QString m_strOpenFailure;
    QString m_strWriteFailure; // why the last frame could not be written
    bool m_bConnected = false;
    QString m_strLinkLost;
    QString m_strPortPath; // the device the open port was opened as
    bool m_bServed = false;
    std::thread m_watcher;
    int m_stopEvent = -1; // eventfd: the watcher's stop event
    int m_doneEvent = -1; // eventfd: OnMonitorData has returned
};
