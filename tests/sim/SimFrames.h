#pragma once

#include "sim/SimMonitor.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// Request frames as the program sends them, and a reader for the monitor's answers.
namespace SimFrames {

inline std::vector<std::uint8_t> Request(std::uint8_t command,
                                         std::initializer_list<std::uint8_t> data = {}) {
    std::vector<std::uint8_t> f = {0x55,   0x55, 0x6E, 0x50, std::uint8_t(0x81 + data.size()),
                                   command};
    f.insert(f.end(), data.begin(), data.end());
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < f.size(); ++i)
        sum ^= f[i];
    f.insert(f.end(), {sum, 0xAA, 0xAA});
    return f;
}

inline std::vector<std::uint8_t> Query(std::uint8_t code) {
    return Request(0x01, {code});
}
inline std::vector<std::uint8_t> SetValue(std::uint8_t code, std::uint16_t value) {
    return Request(0x03, {code, std::uint8_t(value >> 8), std::uint8_t(value)});
}
inline std::vector<std::uint8_t> ReadMemory(std::uint16_t address) {
    return Request(0x59, {std::uint8_t(address >> 8), std::uint8_t(address)});
}

// Everything the monitor has put on the line by `now`.
inline std::vector<std::uint8_t>
Drain(CSimMonitor& m, CSimMonitor::Clock::time_point now = CSimMonitor::Clock::now()) {
    std::vector<std::uint8_t> out;
    for (const SimChunk& c : m.TakeOutput(now))
        out.insert(out.end(), c.bytes.begin(), c.bytes.end());
    return out;
}

// Sends one request and returns the answer (empty when there is none).
inline std::vector<std::uint8_t> Ask(CSimMonitor& m, const std::vector<std::uint8_t>& request) {
    m.Feed(request.data(), request.size());
    return Drain(m);
}

// Data bytes of a well-formed reply frame of the given kind; empty if it is not one.
inline std::vector<std::uint8_t> ReplyData(const std::vector<std::uint8_t>& f, std::uint8_t kind) {
    if (f.size() < 9 || f[0] != 0x55 || f[1] != 0x55 || f[2] != 0x50 || f[3] != 0x6E ||
        f[5] != kind)
        return {};
    const std::size_t n = f[4] & 0x7F;
    if (f.size() != n + 8)
        return {};
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < 5 + n; ++i)
        sum ^= f[i];
    if (sum != f[5 + n] || f[6 + n] != 0xAA || f[7 + n] != 0xAA)
        return {};
    return {f.begin() + 6, f.begin() + 5 + n};
}

} // namespace SimFrames
