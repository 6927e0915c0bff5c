#pragma once

#include "platform/SerialPort.h"

#include <QObject>

#include <array>
#include <atomic>
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

// Handed to the watcher thread.
struct WATCHINFO {
    ISerialPort* port = nullptr;
    bool wait = false;            // the Windows-95 event wait; always false here
    QObject* target = nullptr;    // the controller's "window"
};

// Frame codec helpers, pure functions (tests call them directly).
namespace MonFrame {
// Number of data bytes a request command carries.
int RequestDataCount(std::uint8_t command);
// The full request frame: sync, length, command, data, XOR checksum, 0xAA 0xAA.
std::vector<std::uint8_t> BuildRequest(const MonRequest& request);
// Data bytes of a reply kind, -1 for a kind the link does not know.
int ReplyDataCount(std::uint8_t kind);
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
    // every reply received whole or dropped.
    using TraceSink = std::function<void(bool sent, const std::uint8_t* bytes, std::size_t n)>;
    void SetTraceSink(TraceSink sink);

    bool OpenPort(int index);
    void ClosePort();
    bool IsPortOpen() const;
    int GetPortIndex() const { return m_nPortIndex; }
    const MonIdentity& Identity() const { return m_identity; }

    bool SendFrame(const MonRequest& request);
    bool ReceiveFrame(MonReply& reply);
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
    bool CreateWindow();
    bool WindowExists() const { return m_bWindow; }
    // Signals the stop event and joins the watcher; safe to call twice.
    void StopWatcher();

public slots:
    // WM_USER+1: more than 5 bytes are queued (invoked by the watcher, blocking).
    virtual void OnMonitorData() {}
    // WM_USER+3: a timing frame arrived while QueryItem waited.
    virtual void OnTimingChanged() {}

protected:
    WATCHINFO m_watchInfo;
    bool m_bIsWindows95 = false;
    MonIdentity m_identity;
    int m_nPortIndex = 0;
    bool m_bWindow = false;

private:
    void WatchThread();

    std::unique_ptr<ISerialPort> m_ownPort;
    ISerialPort* m_pPort = nullptr;
    TraceSink m_trace;
    std::thread m_watcher;
    int m_stopEvent = -1; // eventfd: the watcher's stop event
};
