#pragma once

#include "ScriptedPort.h"

#include <array>
#include <cstring>
#include <deque>
#include <map>
#include <string>

// A monitor behind a CScriptedPort, just enough of one for the controller's unit tests:
// it answers item queries, the timing request and the identity request,
// applies set-values, and can be told to ignore set-values or stay silent.
class CFakeMonitor {
public:
    struct Item {
        std::uint8_t status = 0;
        std::uint16_t maximum = 255;
        std::uint16_t value = 0;
        bool sticks = true;                // false: set-values are ignored
        std::deque<std::uint16_t> reports; // values reported before the real one
    };

    explicit CFakeMonitor(CScriptedPort& port) : m_port(port) {
        port.responder = [this](const std::vector<std::uint8_t>& frame) { Answer(frame); };
    }

    std::string revision = "C";
    std::string maker = "VORKA   ";
    std::string model = "TR-9000 ";
    std::uint32_t serial = 0x01020304;
    std::uint16_t fH = 6840, fV = 7500;
    std::map<std::uint8_t, Item> items; // by wire code; unknown codes are not answered
    bool silent = false;                // answers nothing at all
    std::vector<std::uint8_t> queried;  // item codes asked for, in order
    std::vector<std::pair<std::uint8_t, std::uint16_t>> sets; // set-values received

    Item& operator[](std::uint8_t code) { return items[code]; }

    // Set-values received for one code, in order.
    std::vector<std::uint16_t> SetsOf(std::uint8_t code) const {
        std::vector<std::uint16_t> values;
        for (const auto& [c, v] : sets)
            if (c == code)
                values.push_back(v);
        return values;
    }

    static std::vector<std::uint8_t> IdentityData(const std::string& revision,
                                                  const std::string& maker,
                                                  const std::string& model, std::uint32_t serial) {
        std::vector<std::uint8_t> data(28, ' ');
        std::memcpy(data.data(), revision.data(), std::min<std::size_t>(1, revision.size()));
        std::memcpy(data.data() + 8, maker.data(), std::min<std::size_t>(8, maker.size()));
        std::memcpy(data.data() + 16, model.data(), std::min<std::size_t>(8, model.size()));
        data[24] = serial >> 24;
        data[25] = serial >> 16;
        data[26] = serial >> 8;
        data[27] = serial;
        return data;
    }

private:
    void Answer(const std::vector<std::uint8_t>& frame) {
        if (silent || frame.size() < 9)
            return;
        const std::uint8_t command = frame[5];
        if (command == 0x01) {
            const std::uint8_t code = frame[6];
            queried.push_back(code);
            auto it = items.find(code);
            if (it == items.end())
                return;
            Item& item = it->second;
            std::uint16_t value = item.value;
            if (!item.reports.empty()) {
                value = item.reports.front();
                item.reports.pop_front();
            }
            m_port.Push(ReplyFrame(0x02, {item.status, code, 0, std::uint8_t(item.maximum >> 8),
                                          std::uint8_t(item.maximum), std::uint8_t(value >> 8),
                                          std::uint8_t(value)}));
        } else if (command == 0x03) {
            const std::uint8_t code = frame[6];
            const std::uint16_t value = std::uint16_t(frame[7] << 8 | frame[8]);
            sets.emplace_back(code, value);
            auto it = items.find(code);
            if (it != items.end() && it->second.sticks)
                it->second.value = value;
        } else if (command == 0x07) {
            m_port.Push(ReplyFrame(0x4E, {std::uint8_t(fH >> 8), std::uint8_t(fH),
                                          std::uint8_t(fV >> 8), std::uint8_t(fV)}));
        } else if (command == 0xF1) {
            m_port.Push(ReplyFrame(0xE1, IdentityData(revision, maker, model, serial)));
        }
    }

    CScriptedPort& m_port;
};
