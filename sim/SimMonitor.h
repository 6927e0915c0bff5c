#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// The simulated monitor: the far end of the maintenance cable as a protocol engine. Bytes
// received from the line go in through Feed(); the frames the monitor sends come out of
// TakeOutput() once they are due. Everything is guarded by one mutex, so a server thread,
// a test and a command prompt may all use one engine at the same time.

namespace SimItems {
constexpr int kCount = 35;
constexpr int ModeWord = 30, ColorMode = 31, Interval = 32, AutoSize = 33, ColorPreset = 34;
constexpr int FirstGeometry = 2, LastGeometry = 15;
constexpr int FirstConvergence = 16, LastConvergence = 22;
constexpr int FirstColor = 23, LastColor = 29;
constexpr std::uint8_t DegaussCode = 0x00;

// Wire code of item 0..34.
std::uint8_t Code(int item);
// Item for a wire code; -1 when the monitor has no such item.
int FromCode(std::uint8_t code);
// Name used by the simulator's prompt, as the program names the item ("bright", "hsize",
// "pintop", "modeword", ...).
const char* Name(int item);
// Item for a name or a decimal item number; -1 when unknown.
int FromName(const QString& nameOrNumber);
} // namespace SimItems

// Position i of a colour-temperature table belongs to item kColorOrder[i] (rgain, ggain,
// bgain, rcutoff, gcutoff, bcutoff, subcon).
constexpr std::array<int, 7> kColorOrder = {26, 27, 28, 23, 24, 25, 29};
// Colour-temperature step of each preset index 0..13 (step s = 4000 K + 100 K x s).
constexpr std::array<int, 14> kPresetSteps = {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 53, 55, 60};

struct SimItemSpec {
    std::uint16_t maximum = 255;
    std::uint16_t factory = 128; // factory default, restored by the reset commands
    bool available = true;
};

using SimColorTable = std::array<std::uint16_t, 7>; // in kColorOrder

// Everything that tells one monitor model from another.
struct SimProfile {
    QString name;
    char revision = 'C';
    QByteArray field2; // 7 characters
    QByteArray maker;  // 8 characters, blank padded
    QByteArray model;  // 8 characters, blank padded
    std::uint32_t serial = 0;
    std::array<SimItemSpec, SimItems::kCount> items{};
    // Reference colour settings. Revision B: A = 9300 K, B = 6500 K. Other revisions:
    // A = 4000 K, B = 6500 K, C = 10000 K, with the breakpoints T0..T13.
    SimColorTable tableA{}, tableB{}, tableC{};
    std::array<std::uint8_t, 14> breakpoints{};
    // Revision B keeps its tables at memory address 7, or at 15 when address 0 holds
    // 0x5A 0x5A (a later firmware layout).
    bool tablesAt15 = false;
    // Scan frequencies as the monitor reports them: kHz and Hz on revision B, x100 on
    // the others (6840 = 68.40 kHz).
    std::uint16_t fH = 0, fV = 0;

    // "revB", "revB15", "revC", "tr4427", "tr5513", "tr3306", "layout2", "lcd", "foreign".
    static std::optional<SimProfile> ByName(const QString& name);
    static QStringList Names();
};

// How an item reacts to set-value frames.
enum class SimStick {
    Sticks,      // takes the value (clamped to its maximum)
    KeepsOld,    // ignores it and keeps the old value
    ReportsOther // takes a neighbouring value instead
};

// A chunk of bytes the monitor puts on the line, not before `due`.
struct SimChunk {
    using Clock = std::chrono::steady_clock;
    std::vector<std::uint8_t> bytes;
    Clock::time_point due;
    QString note; // what it is, for traces: "reply 02", "noise", "panel 58", ...
};

// A frame recognised in the received bytes.
struct SimRequest {
    std::chrono::steady_clock::time_point time;
    std::vector<std::uint8_t> bytes; // the whole frame as received
    std::uint8_t command = 0;
    std::vector<std::uint8_t> data;
    bool accepted = false; // false: bad checksum or trailer, ignored
};

class CSimMonitor {
public:
    using Clock = std::chrono::steady_clock;

    explicit CSimMonitor(const SimProfile& profile);
    CSimMonitor(const CSimMonitor&) = delete;
    CSimMonitor& operator=(const CSimMonitor&) = delete;

    const SimProfile& Profile() const { return m_profile; }

    // --- the line ---
    // Bytes that arrived from the program at `now`. Complete frames are answered (the
    // answers are queued for TakeOutput); frames with a bad checksum, sync or trailer are
    // ignored. Returns the frames recognised, for traces.
    std::vector<SimRequest> Feed(const std::uint8_t* data, std::size_t count,
                                 Clock::time_point now = Clock::now());
    // Removes and returns the chunks due by `now`, in order.
    std::vector<SimChunk> TakeOutput(Clock::time_point now = Clock::now());
    // Bytes due by `now` / when the first queued chunk is due (nullopt: nothing queued).
    std::size_t DueBytes(Clock::time_point now = Clock::now()) const;
    std::optional<Clock::time_point> NextDue() const;

    // Called (without the lock held) whenever output was queued or the cable changed, so
    // that the one consumer (a server or a loopback port) can wake up. One listener.
    void SetListener(std::function<void()> listener);

    // --- the front panel and the signal ---
    // A key on the monitor changes an item: applied like a set-value, then reported with
    // a kind-0x58 frame (code, value). False for an unknown or unavailable item.
    bool PanelChange(int item, std::uint16_t value);
    // The display timing changed: kind 0x4E (fH, fV as reported), then kind 0x6D with
    // the status byte (0 = the picture needs sizing).
    void TimingChange(std::uint16_t fH, std::uint16_t fV, std::uint8_t status = 0);
    // A kind-0x5D frame of three data bytes whose length byte says 3, as this kind's
    // frames do (one too few); the program takes it whole and ignores it.
    void SendShortLengthFrame();

    // --- faults ---
    void InjectNoise(int count); // noise bytes (never 0x55) before the next reply
    void CorruptNextChecksum();  // the next reply carries a wrong checksum
    // The next `count` replies are never sent; with `after`, the `after` replies before
    // them still are (a fault that strikes once start-up is done).
    void DropReplies(int count, int after = 0);
    // The next `count` replies of this kind (0x4E: the timing) are never sent.
    void DropRepliesOfKind(std::uint8_t kind, int count);
    void SetReplyDelay(int ms); // every reply waits this long (0 = answer at once)
    void SetStick(int item, SimStick stick);
    void PullCable(); // stop answering; the line goes dead
    void Replug();    // answer again
    bool IsCablePulled() const;
    // Counts the pulls and replugs; a port opened before a pull stays dead after a replug.
    unsigned CableGeneration() const;

    // --- state, for tests and the prompt ---
    std::uint16_t Value(int item) const;
    std::uint16_t Maximum(int item) const;
    std::uint8_t Status(int item) const; // 0 available, 1 not
    std::uint16_t Stored(int item) const;
    std::uint16_t ModeWord() const { return Value(SimItems::ModeWord); }
    // Changes an item silently, as if it had been so all along (no report is sent).
    void SetValue(int item, std::uint16_t value);
    void SetAvailable(int item, bool available);
    std::uint16_t TimingH() const;
    std::uint16_t TimingV() const;

    int SetValueCount(int item) const; // set-value frames received for the item
    int DegaussCount() const;
    int AutoSizeCount() const;
    int StoreCount() const;
    int ResetCount(std::uint8_t command) const;
    std::vector<SimRequest> RequestLog() const; // accepted and ignored frames, in order
    void ClearRequestLog();

    // Two bytes of memory at an address (the colour-temperature tables live here).
    std::array<std::uint8_t, 2> Memory(std::uint16_t address) const;

    // The values of the colour items for a colour-temperature step (0..60; revision B
    // 0..6), in kColorOrder: what the monitor's presets are made of.
    SimColorTable ColorForStep(int step) const;

    // A multi-line human-readable state listing (the prompt's "dump").
    QString Dump() const;

private:
    struct ColorSlot {
        SimColorTable colors{}; // in kColorOrder
        std::uint16_t preset = 0;
    };
    struct ItemState {
        std::uint16_t value = 0;
        std::uint16_t stored = 0;
        bool available = true;
        SimStick stick = SimStick::Sticks;
        int setCount = 0;
    };

    void BuildMemory();
    void ResetToFactory(int first, int last);
    void ResetColors();
    void ApplySetValue(std::uint8_t code, std::uint16_t value);
    void ApplyItem(int item, std::uint16_t value);
    void SelectColorMode(std::uint16_t mode);
    void SelectPreset(std::uint16_t preset);
    void AutoSizeGeometry();
    void Answer(const std::uint8_t command, const std::vector<std::uint8_t>& data,
                Clock::time_point now);
    void QueueReply(std::uint8_t kind, const std::vector<std::uint8_t>& data,
                    Clock::time_point now);
    void QueueUnsolicited(std::uint8_t kind, const std::vector<std::uint8_t>& data,
                          Clock::time_point now);
    void Queue(SimChunk chunk);
    std::vector<SimRequest> ParseInput(Clock::time_point now);
    void Notify();

    SimProfile m_profile;
    mutable std::mutex m_mutex;
    std::function<void()> m_listener;

    std::array<ItemState, SimItems::kCount> m_items{};
    std::array<ColorSlot, 3> m_colorSlots{};
    std::vector<std::array<std::uint8_t, 2>> m_memory;
    std::uint16_t m_fH = 0, m_fV = 0;

    std::vector<std::uint8_t> m_input;
    std::deque<SimChunk> m_output;
    std::deque<SimRequest> m_log; // the most recent kLogLimit frames

    int m_noise = 0;
    bool m_corruptNext = false;
    int m_drop = 0;
    int m_dropAfter = 0;
    std::uint8_t m_dropKind = 0;
    int m_dropOfKind = 0;
    int m_delayMs = 0;
    bool m_pulled = false;
    unsigned m_generation = 0;
    std::uint32_t m_noiseSeed = 0x2F6B1D;

    int m_degauss = 0, m_autoSizes = 0, m_stores = 0;
    std::array<int, 4> m_resets{}; // 0x09, 0x0A, 0x50, 0x0B
};
