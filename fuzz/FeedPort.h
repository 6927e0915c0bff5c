#pragma once

#include "platform/SerialPort.h"

#include <algorithm>
#include <cstring>
#include <vector>

// A serial port whose line carries a fixed run of bytes, delivered in pieces: each wait
// lets up to `patience` more pieces arrive and gives up (as at its deadline) when that is
// not enough, so frames can be cut by a pause anywhere. Once every byte was read the line
// is dead, so no wait of the link outlasts the input. Nothing here sleeps.
class CFeedPort : public ISerialPort {
public:
    void Load(const std::uint8_t* data, std::size_t size, std::size_t piece, int patience) {
        m_data = data;
        m_size = size;
        m_piece = std::max<std::size_t>(piece, 1);
        m_patience = patience;
        m_arrived = m_read = 0;
        m_written.clear();
    }
    std::size_t Read() const { return m_read; }
    const std::vector<std::uint8_t>& Written() const { return m_written; }

    bool Open(const QString&) override { return m_open = true; }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    void Purge() override { m_read = m_arrived; }

    int QueuedInput() const override { return m_read == m_size ? -1 : int(m_arrived - m_read); }
    int QueuedOutput() const override { return 0; }
    bool WaitQueued(std::size_t count, Clock::time_point) override {
        for (int i = 0; i < m_patience && m_arrived - m_read < count && m_arrived < m_size; ++i)
            m_arrived = std::min(m_size, m_arrived + m_piece);
        return m_arrived - m_read >= count;
    }
    bool ReadExact(std::uint8_t* data, std::size_t count) override {
        if (m_arrived - m_read < count)
            return false;
        std::memcpy(data, m_data + m_read, count);
        m_read += count;
        return true;
    }
    bool WaitOutputDrained(Clock::time_point) override { return m_open; }
    bool WriteAll(const std::uint8_t* data, std::size_t count) override {
        m_written.insert(m_written.end(), data, data + count);
        return m_open;
    }
    void ClearError() override {}
    int PollDescriptor() const override { return -1; }
    QString LastError() const override { return QString(); }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0, m_piece = 1, m_arrived = 0, m_read = 0;
    int m_patience = 1;
    bool m_open = false;
    std::vector<std::uint8_t> m_written;
};
