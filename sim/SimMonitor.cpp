#include "sim/SimMonitor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<std::uint8_t, 4> kRequestSync = {0x55, 0x55, 0x6E, 0x50};
constexpr std::array<std::uint8_t, 4> kReplySync = {0x55, 0x55, 0x50, 0x6E};
constexpr std::uint8_t kTrailer = 0xAA;
// The longest request the monitor understands carries a command and four data bytes;
// anything that claims more is line noise.
constexpr int kMaxRequestBody = 5;
constexpr std::size_t kLogLimit = 10000;
constexpr int kMemoryCells = 64;
constexpr std::uint16_t kCustomColorBit = 0x2000;

namespace Cmd {
enum : std::uint8_t {
    QueryItem = 0x01,
    SetValue = 0x03,
    Timing = 0x07,
    ResetAll = 0x09,
    ResetGeometry = 0x0A,
    ResetColor = 0x0B,
    Store = 0x0C,
    ResetConvergence = 0x50,
    ReadMemory = 0x59,
    Identity = 0xF1,
};
} // namespace Cmd

namespace Kind {
enum : std::uint8_t {
    ItemReply = 0x02,
    TimingReply = 0x4E,
    PanelReport = 0x58,
    MemoryReply = 0x5A,
    TimingStatus = 0x6D,
    IdentityReply = 0xE1,
};
} // namespace Kind

int ResetIndex(std::uint8_t command) {
    switch (command) {
    case Cmd::ResetAll:
        return 0;
    case Cmd::ResetGeometry:
        return 1;
    case Cmd::ResetConvergence:
        return 2;
    case Cmd::ResetColor:
        return 3;
    default:
        return -1;
    }
}

std::uint8_t High(std::uint16_t v) {
    return std::uint8_t(v >> 8);
}
std::uint8_t Low(std::uint16_t v) {
    return std::uint8_t(v & 0xFF);
}

// Scale position of a revision-C colour-temperature step, from the breakpoints: T0..T5
// mark 4000..6500 K, U6..U13 (counted from T5) mark 7000..10000 K.
double ScalePosition(const std::array<std::uint8_t, 14>& t, int step) {
    std::array<int, 14> u{};
    for (int i = 0; i < 14; ++i)
        u[i] = i < 5 ? t[i] : i == 5 ? 0 : std::uint8_t(t[i] - t[5]);
    auto along = [](int from, int to, double fraction, int offset) {
        return from + (to - from) * fraction * offset;
    };
    if (step < 25) {
        const int k = step / 5;
        return along(t[k], t[k + 1], 0.2, step - 5 * k);
    }
    if (step < 50) {
        const int k = 5 + (step - 25) / 5;
        return along(u[k], u[k + 1], 0.2, step - 5 * (k - 5) - 25);
    }
    if (step < 53)
        return along(u[10], u[11], 1.0 / 3, step - 50);
    if (step < 55)
        return along(u[11], u[12], 0.5, step - 53);
    if (step < 60)
        return along(u[12], u[13], 0.2, step - 55);
    return u[13];
}

} // namespace

CSimMonitor::CSimMonitor(const SimProfile& profile) : m_profile(profile) {
    for (int i = 0; i < SimItems::kCount; ++i) {
        m_items[i].available = profile.items[i].available;
        m_items[i].value = profile.items[i].factory;
    }
    m_fH = profile.fH;
    m_fV = profile.fV;
    BuildMemory();
    ResetColors();
    for (auto& item : m_items)
        item.stored = item.value;
}

// --- memory -------------------------------------------------------------------------------

void CSimMonitor::BuildMemory() {
    // Cells the tables do not use hold other settings of the monitor; make them differ
    // from the tables so that a reader starting at the wrong address gets wrong numbers.
    m_memory.resize(kMemoryCells);
    for (int a = 0; a < kMemoryCells; ++a)
        m_memory[a] = {std::uint8_t(a * 7 + 3), std::uint8_t(a * 13 + 1)};
    // One table: address a holds W6 in its second byte; a+1..a+3 hold W0/W1, W2/W3, W4/W5
    // as (second, first).
    auto put = [this](int a, const SimColorTable& w) {
        m_memory[a][1] = std::uint8_t(w[6]);
        for (int k = 0; k < 3; ++k)
            m_memory[a + 1 + k] = {std::uint8_t(w[2 * k + 1]), std::uint8_t(w[2 * k])};
    };
    if (m_profile.revision == 'B') {
        const int start = m_profile.tablesAt15 ? 15 : 7;
        m_memory[0] = m_profile.tablesAt15 ? std::array<std::uint8_t, 2>{0x5A, 0x5A}
                                           : std::array<std::uint8_t, 2>{0x00, 0x00};
        put(start, m_profile.tableA);
        put(start + 4, m_profile.tableB);
        return;
    }
    put(8, m_profile.tableA);
    put(12, m_profile.tableB);
    put(16, m_profile.tableC);
    for (int j = 0; j < 7; ++j)
        m_memory[20 + j] = {m_profile.breakpoints[2 * j + 1], m_profile.breakpoints[2 * j]};
}

std::array<std::uint8_t, 2> CSimMonitor::Memory(std::uint16_t address) const {
    std::lock_guard lock(m_mutex);
    return address < m_memory.size() ? m_memory[address] : std::array<std::uint8_t, 2>{0xFF, 0xFF};
}

SimColorTable CSimMonitor::ColorForStep(int step) const {
    const SimProfile& p = m_profile;
    SimColorTable out{};
    if (p.revision == 'B') {
        step = std::clamp(step, 0, 6);
        for (int i = 0; i < 7; ++i)
            out[i] = std::uint16_t(
                int(p.tableB[i] + (int(p.tableA[i]) - int(p.tableB[i])) * (1.0 / 6) * step));
        return out;
    }
    step = std::clamp(step, 0, 60);
    const double position = ScalePosition(p.breakpoints, step);
    const int t5 = p.breakpoints[5];
    const int u13 = std::uint8_t(p.breakpoints[13] - t5);
    for (int i = 0; i < 7; ++i) {
        const bool low = step < 25;
        const int base = low ? p.tableA[i] : p.tableB[i];
        const int end = low ? p.tableB[i] : p.tableC[i];
        const int span = low ? t5 : u13;
        // Truncated toward zero, as the program computes it, so presets match its steps.
        out[i] = span == 0 ? std::uint16_t(base)
                           : std::uint16_t(int(base + (double(end - base) / span) * position));
    }
    return out;
}

// --- colour modes and presets -----------------------------------------------------------

void CSimMonitor::ResetColors() {
    // Mode 1 leaves the factory at 9300 K, Mode 2 at 6500 K, Mode 3 at 8000 K.
    const bool revB = m_profile.revision == 'B';
    const std::array<int, 3> steps =
        revB ? std::array<int, 3>{6, 0, 3} : std::array<int, 3>{53, 25, 40};
    const std::array<std::uint16_t, 3> presets = {11, 5, 8};
    for (int m = 0; m < 3; ++m) {
        m_colorSlots[m].colors = ColorForStep(steps[m]);
        m_colorSlots[m].preset = revB ? 0 : presets[m];
    }
    const ColorSlot& slot = m_colorSlots[std::min<int>(m_items[SimItems::ColorMode].value, 2)];
    for (int i = 0; i < 7; ++i)
        m_items[kColorOrder[i]].value = slot.colors[i];
    m_items[SimItems::ColorPreset].value = slot.preset;
    m_items[SimItems::ModeWord].value &= ~kCustomColorBit;
}

void CSimMonitor::SelectColorMode(std::uint16_t mode) {
    ColorSlot& old = m_colorSlots[std::min<int>(m_items[SimItems::ColorMode].value, 2)];
    for (int i = 0; i < 7; ++i)
        old.colors[i] = m_items[kColorOrder[i]].value;
    old.preset = m_items[SimItems::ColorPreset].value;
    m_items[SimItems::ColorMode].value = mode;
    const ColorSlot& slot = m_colorSlots[mode];
    for (int i = 0; i < 7; ++i)
        m_items[kColorOrder[i]].value = slot.colors[i];
    m_items[SimItems::ColorPreset].value = slot.preset;
}

void CSimMonitor::SelectPreset(std::uint16_t preset) {
    m_items[SimItems::ColorPreset].value = preset;
    const SimColorTable colors = ColorForStep(kPresetSteps[preset]);
    for (int i = 0; i < 7; ++i)
        m_items[kColorOrder[i]].value = colors[i];
}

void CSimMonitor::AutoSizeGeometry() {
    // Centre the picture and fit its size to the timing, as the sizing circuit would.
    ++m_autoSizes;
    const int kHz = m_profile.revision == 'B' ? m_fH : m_fH / 100;
    const int hz = m_profile.revision == 'B' ? m_fV : m_fV / 100;
    const int fit = (kHz + hz) % 16 + 4;
    auto set = [this](int item, int value) {
        m_items[item].value =
            std::uint16_t(std::clamp(value, 0, int(m_profile.items[item].maximum)));
    };
    set(3, m_profile.items[3].maximum / 2);
    set(5, m_profile.items[5].maximum / 2);
    set(2, m_profile.items[2].factory + fit);
    set(4, m_profile.items[4].factory - fit);
}

void CSimMonitor::ResetToFactory(int first, int last) {
    for (int i = first; i <= last; ++i)
        m_items[i].value = m_profile.items[i].factory;
}

// --- set-value ------------------------------------------------------------------------

void CSimMonitor::ApplySetValue(std::uint8_t code, std::uint16_t value) {
    if (code == SimItems::DegaussCode) {
        ++m_degauss;
        return;
    }
    const int item = SimItems::FromCode(code);
    if (item < 0)
        return;
    ItemState& state = m_items[item];
    ++state.setCount;
    if (!state.available || state.stick == SimStick::KeepsOld)
        return;
    const std::uint16_t maximum = m_profile.items[item].maximum;
    if (state.stick == SimStick::ReportsOther && item != SimItems::AutoSize) {
        // A control that drifts: it settles one step off the requested value.
        const std::uint16_t clamped = std::min(value, maximum);
        value = clamped < maximum ? clamped + 1 : std::uint16_t(clamped - (maximum > 0));
    }
    ApplyItem(item, value);
}

void CSimMonitor::ApplyItem(int item, std::uint16_t value) {
    // Out-of-range values are clamped to the maximum, as the monitor's own key handling
    // does; the program clamps too, so this only matters for foreign tools.
    value = std::min(value, m_profile.items[item].maximum);
    switch (item) {
    case SimItems::ColorMode:
        SelectColorMode(value);
        return;
    case SimItems::ColorPreset:
        SelectPreset(value);
        return;
    case SimItems::AutoSize:
        AutoSizeGeometry();
        return;
    default:
        m_items[item].value = value;
    }
}

// --- the line -----------------------------------------------------------------------------

std::vector<SimRequest> CSimMonitor::Feed(const std::uint8_t* data, std::size_t count,
                                          Clock::time_point now) {
    std::vector<SimRequest> frames;
    bool queued = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_pulled)
            return frames;
        m_input.insert(m_input.end(), data, data + count);
        const std::size_t before = m_output.size();
        frames = ParseInput(now);
        queued = m_output.size() != before;
    }
    if (queued)
        Notify();
    return frames;
}

std::vector<SimRequest> CSimMonitor::ParseInput(Clock::time_point now) {
    std::vector<SimRequest> frames;
    std::size_t pos = 0;
    auto resync = [&] { ++pos; };
    while (pos < m_input.size()) {
        const std::size_t avail = m_input.size() - pos;
        const std::size_t syncSeen = std::min<std::size_t>(avail, kRequestSync.size());
        if (!std::equal(kRequestSync.begin(), kRequestSync.begin() + syncSeen,
                        m_input.begin() + pos)) {
            resync();
            continue;
        }
        if (avail < 5)
            break;
        const int body = m_input[pos + 4] & 0x7F; // command and data bytes
        if (body < 1 || body > kMaxRequestBody) {
            resync();
            continue;
        }
        const std::size_t total = 4 + 1 + body + 1 + 2;
        if (avail < total)
            break;
        auto first = m_input.begin() + pos;
        SimRequest request;
        request.time = now;
        request.bytes.assign(first, first + total);
        request.command = first[5];
        request.data.assign(first + 6, first + 5 + body);
        std::uint8_t sum = 0;
        for (std::size_t i = 2; i < std::size_t(5 + body); ++i)
            sum ^= first[i];
        request.accepted =
            sum == first[5 + body] && first[6 + body] == kTrailer && first[7 + body] == kTrailer;
        if (m_log.size() == kLogLimit)
            m_log.pop_front();
        m_log.push_back(request);
        frames.push_back(request);
        if (!request.accepted) {
            // A damaged frame is dropped; the real start of the next one may lie inside it.
            resync();
            continue;
        }
        pos += total;
        Answer(request.command, request.data, now);
    }
    m_input.erase(m_input.begin(), m_input.begin() + pos);
    return frames;
}

void CSimMonitor::Answer(std::uint8_t command, const std::vector<std::uint8_t>& data,
                         Clock::time_point now) {
    switch (command) {
    case Cmd::QueryItem: {
        if (data.empty())
            return;
        const int item = SimItems::FromCode(data[0]);
        const bool present = item >= 0 && m_items[item].available;
        const std::uint16_t maximum = present ? m_profile.items[item].maximum : 0;
        const std::uint16_t value = present ? m_items[item].value : 0;
        QueueReply(Kind::ItemReply,
                   {std::uint8_t(present ? 0 : 1), data[0], 0x00, High(maximum), Low(maximum),
                    High(value), Low(value)},
                   now);
        return;
    }
    case Cmd::SetValue:
        // Never answered: the program reads the item back when it wants certainty.
        if (data.size() >= 3)
            ApplySetValue(data[0], std::uint16_t(data[1] << 8 | data[2]));
        return;
    case Cmd::ReadMemory: {
        if (data.size() < 2)
            return;
        const std::uint16_t address = std::uint16_t(data[0] << 8 | data[1]);
        const auto cell =
            address < m_memory.size() ? m_memory[address] : std::array<std::uint8_t, 2>{0xFF, 0xFF};
        QueueReply(Kind::MemoryReply, {data[0], data[1], cell[0], cell[1]}, now);
        return;
    }
    case Cmd::Timing:
        QueueReply(Kind::TimingReply, {High(m_fH), Low(m_fH), High(m_fV), Low(m_fV)}, now);
        return;
    case Cmd::ResetAll:
        ResetToFactory(0, SimItems::LastConvergence);
        ResetToFactory(SimItems::ModeWord, SimItems::Interval);
        ResetColors();
        break;
    case Cmd::ResetGeometry:
        ResetToFactory(SimItems::FirstGeometry, SimItems::LastGeometry);
        break;
    case Cmd::ResetConvergence:
        ResetToFactory(SimItems::FirstConvergence, SimItems::LastConvergence);
        break;
    case Cmd::ResetColor:
        ResetColors();
        break;
    case Cmd::Store:
        ++m_stores;
        for (auto& item : m_items)
            item.stored = item.value;
        return;
    case Cmd::Identity: {
        std::vector<std::uint8_t> id{std::uint8_t(m_profile.revision)};
        auto text = [&id](const QByteArray& field, int width) {
            for (int i = 0; i < width; ++i)
                id.push_back(i < field.size() ? std::uint8_t(field.at(i)) : ' ');
        };
        text(m_profile.field2, 7);
        text(m_profile.maker, 8);
        text(m_profile.model, 8);
        for (int shift = 24; shift >= 0; shift -= 8)
            id.push_back(std::uint8_t(m_profile.serial >> shift));
        QueueReply(Kind::IdentityReply, id, now);
        return;
    }
    default:
        return; // commands this monitor does not know are ignored
    }
    ++m_resets[ResetIndex(command)];
}

namespace {
std::vector<std::uint8_t> ReplyFrame(std::uint8_t kind, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> frame(kReplySync.begin(), kReplySync.end());
    frame.push_back(std::uint8_t(0x80 | (data.size() + 1)));
    frame.push_back(kind);
    frame.insert(frame.end(), data.begin(), data.end());
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < frame.size(); ++i)
        sum ^= frame[i];
    frame.push_back(sum);
    frame.push_back(kTrailer);
    frame.push_back(kTrailer);
    return frame;
}

QString KindNote(const char* what, std::uint8_t kind) {
    return QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(kind, 2, 16, QLatin1Char('0'));
}
} // namespace

void CSimMonitor::QueueReply(std::uint8_t kind, const std::vector<std::uint8_t>& data,
                             Clock::time_point now) {
    if (m_dropAfter > 0) {
        --m_dropAfter;
    } else if (m_drop > 0) {
        --m_drop;
        return;
    }
    if (m_dropOfKind > 0 && kind == m_dropKind) {
        --m_dropOfKind;
        return;
    }
    SimChunk chunk;
    chunk.due = now + std::chrono::milliseconds(m_delayMs);
    chunk.note = KindNote("reply", kind);
    for (; m_noise > 0; --m_noise) {
        // A small linear congruential sequence; 0x55 is left out so that the noise never
        // forms half of a sync pair with the frame behind it.
        m_noiseSeed = m_noiseSeed * 1103515245u + 12345u;
        std::uint8_t b = std::uint8_t(m_noiseSeed >> 16);
        chunk.bytes.push_back(b == 0x55 ? 0x54 : b);
    }
    if (!chunk.bytes.empty())
        chunk.note += QStringLiteral(" after %1 noise bytes").arg(chunk.bytes.size());
    std::vector<std::uint8_t> frame = ReplyFrame(kind, data);
    if (m_corruptNext) {
        m_corruptNext = false;
        frame[frame.size() - 3] ^= 0x01;
        chunk.note += QStringLiteral(" (bad checksum)");
    }
    chunk.bytes.insert(chunk.bytes.end(), frame.begin(), frame.end());
    Queue(std::move(chunk));
}

void CSimMonitor::QueueUnsolicited(std::uint8_t kind, const std::vector<std::uint8_t>& data,
                                   Clock::time_point now) {
    Queue({ReplyFrame(kind, data), now, KindNote("report", kind)});
}

void CSimMonitor::Queue(SimChunk chunk) {
    if (m_pulled)
        return;
    // The line is one wire: nothing overtakes a late reply.
    if (!m_output.empty())
        chunk.due = std::max(chunk.due, m_output.back().due);
    m_output.push_back(std::move(chunk));
}

std::vector<SimChunk> CSimMonitor::TakeOutput(Clock::time_point now) {
    std::lock_guard lock(m_mutex);
    std::vector<SimChunk> due;
    while (!m_output.empty() && m_output.front().due <= now) {
        due.push_back(std::move(m_output.front()));
        m_output.pop_front();
    }
    return due;
}

std::size_t CSimMonitor::DueBytes(Clock::time_point now) const {
    std::lock_guard lock(m_mutex);
    std::size_t n = 0;
    for (const SimChunk& chunk : m_output) {
        if (chunk.due > now)
            break;
        n += chunk.bytes.size();
    }
    return n;
}

std::optional<CSimMonitor::Clock::time_point> CSimMonitor::NextDue() const {
    std::lock_guard lock(m_mutex);
    if (m_output.empty())
        return std::nullopt;
    return m_output.front().due;
}

void CSimMonitor::SetListener(std::function<void()> listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

void CSimMonitor::Notify() {
    std::function<void()> listener;
    {
        std::lock_guard lock(m_mutex);
        listener = m_listener;
    }
    if (listener)
        listener();
}

// --- front panel and signal ---------------------------------------------------------------

bool CSimMonitor::PanelChange(int item, std::uint16_t value) {
    {
        std::lock_guard lock(m_mutex);
        if (item < 0 || item >= SimItems::kCount || !m_items[item].available)
            return false;
        ApplyItem(item, value);
        QueueUnsolicited(
            Kind::PanelReport,
            {SimItems::Code(item), High(m_items[item].value), Low(m_items[item].value)},
            Clock::now());
    }
    Notify();
    return true;
}

void CSimMonitor::TimingChange(std::uint16_t fH, std::uint16_t fV, std::uint8_t status) {
    {
        std::lock_guard lock(m_mutex);
        m_fH = fH;
        m_fV = fV;
        const Clock::time_point now = Clock::now();
        QueueUnsolicited(Kind::TimingReply, {High(fH), Low(fH), High(fV), Low(fV)}, now);
        QueueUnsolicited(Kind::TimingStatus, {status}, now);
    }
    Notify();
}

void CSimMonitor::SendShortLengthFrame() {
    {
        std::lock_guard lock(m_mutex);
        std::vector<std::uint8_t> frame = ReplyFrame(0x5D, {0x01, 0x02, 0x03});
        frame[4] = 0x83;
        frame[frame.size() - 3] ^= 0x84 ^ 0x83; // the checksum covers the length byte
        Queue({std::move(frame), Clock::now(), KindNote("report", 0x5D)});
    }
    Notify();
}

// --- faults -----------------------------------------------------------------------------

void CSimMonitor::InjectNoise(int count) {
    std::lock_guard lock(m_mutex);
    m_noise = std::max(0, count);
}

void CSimMonitor::CorruptNextChecksum() {
    std::lock_guard lock(m_mutex);
    m_corruptNext = true;
}

void CSimMonitor::DropReplies(int count, int after) {
    std::lock_guard lock(m_mutex);
    m_drop = std::max(0, count);
    m_dropAfter = m_drop > 0 ? std::max(0, after) : 0;
}

void CSimMonitor::DropRepliesOfKind(std::uint8_t kind, int count) {
    std::lock_guard lock(m_mutex);
    m_dropKind = kind;
    m_dropOfKind = std::max(0, count);
}

void CSimMonitor::SetReplyDelay(int ms) {
    std::lock_guard lock(m_mutex);
    m_delayMs = std::max(0, ms);
}

void CSimMonitor::SetStick(int item, SimStick stick) {
    std::lock_guard lock(m_mutex);
    if (item >= 0 && item < SimItems::kCount)
        m_items[item].stick = stick;
}

void CSimMonitor::PullCable() {
    {
        std::lock_guard lock(m_mutex);
        if (m_pulled)
            return;
        m_pulled = true;
        ++m_generation;
        m_output.clear();
        m_input.clear();
    }
    Notify();
}

void CSimMonitor::Replug() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_pulled)
            return;
        m_pulled = false;
        ++m_generation;
    }
    Notify();
}

bool CSimMonitor::IsCablePulled() const {
    std::lock_guard lock(m_mutex);
    return m_pulled;
}

unsigned CSimMonitor::CableGeneration() const {
    std::lock_guard lock(m_mutex);
    return m_generation;
}

// --- state --------------------------------------------------------------------------------

namespace {
bool ValidItem(int item) {
    return item >= 0 && item < SimItems::kCount;
}
} // namespace

std::uint16_t CSimMonitor::Value(int item) const {
    std::lock_guard lock(m_mutex);
    return ValidItem(item) ? m_items[item].value : 0;
}

std::uint16_t CSimMonitor::Maximum(int item) const {
    return ValidItem(item) ? m_profile.items[item].maximum : 0;
}

std::uint8_t CSimMonitor::Status(int item) const {
    std::lock_guard lock(m_mutex);
    return ValidItem(item) && m_items[item].available ? 0 : 1;
}

std::uint16_t CSimMonitor::Stored(int item) const {
    std::lock_guard lock(m_mutex);
    return ValidItem(item) ? m_items[item].stored : 0;
}

void CSimMonitor::SetValue(int item, std::uint16_t value) {
    std::lock_guard lock(m_mutex);
    if (ValidItem(item))
        ApplyItem(item, value);
}

void CSimMonitor::SetAvailable(int item, bool available) {
    std::lock_guard lock(m_mutex);
    if (ValidItem(item))
        m_items[item].available = available;
}

std::uint16_t CSimMonitor::TimingH() const {
    std::lock_guard lock(m_mutex);
    return m_fH;
}

std::uint16_t CSimMonitor::TimingV() const {
    std::lock_guard lock(m_mutex);
    return m_fV;
}

int CSimMonitor::SetValueCount(int item) const {
    std::lock_guard lock(m_mutex);
    return ValidItem(item) ? m_items[item].setCount : 0;
}

int CSimMonitor::DegaussCount() const {
    std::lock_guard lock(m_mutex);
    return m_degauss;
}

int CSimMonitor::AutoSizeCount() const {
    std::lock_guard lock(m_mutex);
    return m_autoSizes;
}

int CSimMonitor::StoreCount() const {
    std::lock_guard lock(m_mutex);
    return m_stores;
}

int CSimMonitor::ResetCount(std::uint8_t command) const {
    std::lock_guard lock(m_mutex);
    const int index = ResetIndex(command);
    return index < 0 ? 0 : m_resets[index];
}

std::vector<SimRequest> CSimMonitor::RequestLog() const {
    std::lock_guard lock(m_mutex);
    return {m_log.begin(), m_log.end()};
}

void CSimMonitor::ClearRequestLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

QString CSimMonitor::Dump() const {
    std::lock_guard lock(m_mutex);
    const SimProfile& p = m_profile;
    QString out = QStringLiteral("profile %1: revision %2, maker \"%3\", model \"%4\", serial %5\n")
                      .arg(p.name, QString(QLatin1Char(p.revision)), QString::fromLatin1(p.maker),
                           QString::fromLatin1(p.model))
                      .arg(p.serial);
    out += QStringLiteral("timing %1 %2, cable %3\n")
               .arg(m_fH)
               .arg(m_fV)
               .arg(m_pulled ? "pulled" : "plugged");
    for (int i = 0; i < SimItems::kCount; ++i) {
        const ItemState& s = m_items[i];
        out += QStringLiteral("%1 %2 code %3 value %4 max %5 stored %6%7%8\n")
                   .arg(i, 2)
                   .arg(QLatin1String(SimItems::Name(i)), -10)
                   .arg(SimItems::Code(i), 2, 16, QLatin1Char('0'))
                   .arg(s.value)
                   .arg(p.items[i].maximum)
                   .arg(s.stored)
                   .arg(s.available ? "" : " unavailable")
                   .arg(s.stick == SimStick::Sticks     ? ""
                        : s.stick == SimStick::KeepsOld ? " keeps-old"
                                                        : " reports-other");
    }
    out += QStringLiteral("faults: noise %1, bad checksum %2, drop %3, delay %4 ms\n")
               .arg(m_noise)
               .arg(m_corruptNext ? "next" : "no")
               .arg(m_drop)
               .arg(m_delayMs);
    return out;
}
