#pragma once

// What the full-screen drag benchmarks share: a record of the line's traffic, the event loop
// run until the line is quiet, the mode's surroundings with the monitor read, and the
// position handle's place on the mode's screen.

#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "platform/Profile.h"
#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

using Clock = std::chrono::steady_clock;
inline constexpr std::uint8_t kSetValue = 0x03;

inline double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Every chunk of the line, with its time.
struct Traffic {
    struct Chunk {
        Clock::time_point at;
        bool sent;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Chunk> chunks;
    std::size_t Bytes() const {
        std::size_t n = 0;
        for (const Chunk& c : chunks)
            n += c.bytes.size();
        return n;
    }
    void Clear() { chunks.clear(); }

    // The step that brought `code` to its final value: when its set-value frame went out,
    // when the monitor's read-back answer to it had arrived (from then on the monitor is
    // known to hold the value), and the bytes of frame, query and answer.
    struct FinalStep {
        Clock::time_point sent, confirmed;
        std::size_t bytes = 0;
        int framesAfter = 0; // set-value frames for `code` that went out after `since`
    };
    std::optional<FinalStep> LastChange(std::uint8_t code, Clock::time_point since) const {
        FinalStep step;
        int last = -1;
        int previous = -1;
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            const auto& b = chunks[i].bytes;
            if (!chunks[i].sent || b.size() < 9 || b[5] != kSetValue || b[6] != code)
                continue;
            const int value = b[7] << 8 | b[8];
            if (value != previous)
                last = int(i);
            previous = value;
            step.framesAfter += chunks[i].at > since;
        }
        if (last < 0)
            return std::nullopt;
        step.sent = chunks[std::size_t(last)].at;
        step.bytes = chunks[std::size_t(last)].bytes.size();
        bool answered = false;
        for (std::size_t i = std::size_t(last) + 1; i < chunks.size(); ++i) {
            if (chunks[i].sent && answered)
                break;
            step.bytes += chunks[i].bytes.size();
            if (!chunks[i].sent) {
                answered = true;
                step.confirmed = chunks[i].at;
            }
        }
        return answered ? std::optional(step) : std::nullopt;
    }
};

// Messages and beeps go nowhere; a beep would only mean a step at the end of a range.
class CSilentMessages : public IUserMessages {
public:
    MsgResult Show(int id, MsgButtons, const QString&) override {
        std::printf("message %d\n", id);
        return MsgResult::Ok;
    }
    void Beep() override {}
};

// Lets the event loop run until `quietMs` pass without anything on the line.
inline void Drain(const Traffic& traffic, int quietMs) {
    std::size_t seen = SIZE_MAX;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < quietMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (traffic.chunks.size() != seen) {
            seen = traffic.chunks.size();
            quiet.restart();
        }
    }
}

// Runs the event loop until a pass over what is waiting sends nothing more.
inline void Settle(const Traffic& traffic) {
    std::size_t seen = 0;
    do {
        seen = traffic.chunks.size();
        QCoreApplication::processEvents();
    } while (traffic.chunks.size() != seen);
}

inline QPoint PositionHandle(const CAdjustWnd& window) {
    for (int cell = 0; cell < CellMap::kCount; ++cell)
        if (window.CellKinds()[cell] == 19) {
            const CellMap::Rect& r = window.CellRects()[cell];
            return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
    return {};
}

// The mode's surroundings in a benchmark: not the first use (no help page), messages
// printed, and the monitor read with every chunk of the line going into `traffic`.
class CDragBench {
public:
    explicit CDragBench(const char* resolution) {
        Profile::WriteString("Settings", "Resolution", resolution);
        SetUserMessages(&m_messages);
        monitor.SetTraceSink([this](bool sent, const std::uint8_t* data, std::size_t n) {
            traffic.chunks.push_back({Clock::now(), sent, {data, data + n}});
        });
        m_ok = monitor.Connect() && monitor.ReadModes() && monitor.ReadGeometry() &&
               monitor.ReadConvergence() && monitor.ReadColor() && monitor.ReadBrightContrast();
        if (!m_ok)
            std::printf("the simulated monitor could not be read\n");
    }
    ~CDragBench() { SetUserMessages(nullptr); }
    CDragBench(const CDragBench&) = delete;
    CDragBench& operator=(const CDragBench&) = delete;
    bool Ok() const { return m_ok; }

    Traffic traffic;
    CMonitor monitor;

private:
    CSilentMessages m_messages;
    bool m_ok = false;
};
