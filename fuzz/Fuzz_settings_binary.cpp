// Feeds arbitrary bytes to the binary settings decoder (the version word is forced to 1) and
// checks what a load would send: a refused or foreign file sends nothing, an accepted one
// sends only values that are in the file, never the mode word or the auto-sizing item, and
// a complete file encodes back to its own bytes.
#include "doc/LoadPlan.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes("\x01\x00", 2);
    bytes.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto content = SettingsFormat::Decode(bytes);
    if (!content) {
        // Refused only when the header or the promised values are not all there.
        const auto byte = [&](qsizetype at) { return std::uint64_t(std::uint8_t(bytes[at])); };
        if (bytes.size() < 12 || bytes.size() > SettingsFormat::kMaxFileSize)
            return 0;
        std::uint64_t count = byte(10) | byte(11) << 8;
        qsizetype header = 12;
        if (count == 0xFFFF) {
            if (bytes.size() < 16)
                return 0;
            count = byte(12) | byte(13) << 8 | byte(14) << 16 | byte(15) << 24;
            header = 16;
        }
        Check(std::uint64_t(bytes.size() - header) < 2 * count);
        return 0;
    }
    Check(content->form == SettingsFormat::Form::Binary);

    // A monitor with the file's own serial at a timing the input's last byte shifts, and
    // one with another serial.
    const int shift = size ? data[size - 1] % 5 - 2 : 0;
    const MonitorIdentity same{content->serial, std::uint16_t(content->fh + shift),
                               std::uint16_t(content->fv)};
    const LoadGroups groups{(size & 1) != 0, (size & 2) != 0, (size & 4) != 0};
    const LoadPlan plan = PlanLoad(*content, same, groups);
    Check(!plan.otherMonitor);
    Check(plan.timingMismatch == (std::abs(int(content->fh) - int(same.fH)) > 1));
    for (const LoadStep& step : plan.steps) {
        if (step.op == LoadOp::WriteItem) {
            Check(step.item >= 0 && step.item < SettingsFormat::kValueCount);
            Check(step.item != 30 && step.item != 33);
            Check(content->values[step.item] == step.value);
        } else {
            Check(content->values[30] == step.value);
        }
    }
    const LoadPlan foreign = PlanLoad(*content, {content->serial ^ 1u, same.fH, same.fV}, groups);
    Check(foreign.otherMonitor && foreign.steps.empty());

    bool complete = true;
    std::array<std::uint16_t, SettingsFormat::kValueCount> values{};
    for (int i = 0; i < SettingsFormat::kValueCount; ++i) {
        complete = complete && content->values[i].has_value();
        values[i] = content->values[i].value_or(0);
    }
    if (complete && bytes.size() == SettingsFormat::kBinarySize && bytes[10] == 35 &&
        bytes[11] == 0)
        Check(SettingsFormat::EncodeBinary(content->serial, content->fh, content->fv, values) ==
              bytes);
    return 0;
}
