#pragma once

#include "platform/SerialPort.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <vector>

// An in-memory serial port for unit tests: the test (or a responder called on every write)
// queues the bytes the link will read, and every write is kept as one frame. Waits never
// block: bytes that are not queued yet are not coming. The poll descriptor is an eventfd
// signalled on every arrival, so the watcher thread can wait on it.
class CScriptedPort : public ISerialPort {
public:
    using Responder = std::function<void(const std::vector<std::uint8_t>& frame)>;

    CScriptedPort() : m_event(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~CScriptedPort() override { ::close(m_event); }

    // Paths Open() accepts; empty = every path.
    std::set<QString> devices;
    std::vector<QString> opened; // every path Open() was asked for, in order
    Responder responder;
    int failWrites = 0; // the next writes that fail

    void Push(const std::vector<std::uint8_t>& bytes) {
        {
            std::lock_guard lock(m_mutex);
            m_input.insert(m_input.end(), bytes.begin(), bytes.end());
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(m_event, &one, sizeof one);
    }
    // The cable is pulled: every count reports a dead port.
    void Fail() {
        {
            std::lock_guard lock(m_mutex);
            m_failed = true;
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(m_event, &one, sizeof one);
    }
    std::vector<std::vector<std::uint8_t>> Written() const {
        std::lock_guard lock(m_mutex);
        return m_written;
    }
    void ClearWritten() {
        std::lock_guard lock(m_mutex);
        m_written.clear();
    }
    std::size_t Pending() const {
        std::lock_guard lock(m_mutex);
        return m_input.size();
    }

    bool Open(const QString& path) override {
        opened.push_back(path);
        if (!devices.empty() && !devices.count(path))
            return false;
        std::lock_guard lock(m_mutex);
        m_open = true;
        return true;
    }
    void Close() override {
        std::lock_guard lock(m_mutex);
        m_open = false;
    }
    bool IsOpen() const override {
        std::lock_guard lock(m_mutex);
        return m_open;
    }
    void Purge() override {
        std::lock_guard lock(m_mutex);
        m_input.clear();
    }
    int QueuedInput() const override {
        std::lock_guard lock(m_mutex);
        return m_failed || !m_open ? -1 : static_cast<int>(m_input.size());
    }
    int QueuedOutput() const override { return 0; }
    bool WaitQueued(std::size_t count, Clock::time_point) override {
        const int n = QueuedInput();
        return n >= 0 && static_cast<std::size_t>(n) >= count;
    }
    bool ReadExact(std::uint8_t* data, std::size_t count) override {
        std::lock_guard lock(m_mutex);
        if (m_input.size() < count)
            return false;
        for (std::size_t i = 0; i < count; ++i) {
            data[i] = m_input.front();
            m_input.pop_front();
        }
        return true;
    }
    bool WaitOutputDrained(Clock::time_point) override { return QueuedInput() >= 0; }
    bool WriteAll(const std::uint8_t* data, std::size_t count) override {
        if (failWrites > 0) {
            --failWrites;
            return false;
        }
        std::vector<std::uint8_t> frame(data, data + count);
        {
            std::lock_guard lock(m_mutex);
            if (m_failed)
                return false;
            m_written.push_back(frame);
        }
        if (responder)
            responder(frame);
        return true;
    }
    void ClearError() override {}
    int PollDescriptor() const override { return m_event; }
    QString LastError() const override { return {}; }

private:
    mutable std::mutex m_mutex;
    std::deque<std::uint8_t> m_input;
    std::vector<std::vector<std::uint8_t>> m_written;
    bool m_open = false;
    bool m_failed = false;
    int m_event;
};

// A reply frame as the monitor sends it: sync, 'P' 'n', length, kind, data, XOR, trailer.
inline std::vector<std::uint8_t> ReplyFrame(std::uint8_t kind,
                                            const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> frame = {0x55, 0x55, 0x50, 0x6E};
    frame.push_back(std::uint8_t(0x80 | (data.size() + 1)));
    frame.push_back(kind);
    for (std::uint8_t byte : data)
        frame.push_back(byte);
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < frame.size(); ++i)
        sum ^= frame[i];
    frame.push_back(sum);
    frame.push_back(0xAA);
    frame.push_back(0xAA);
    return frame;
}
