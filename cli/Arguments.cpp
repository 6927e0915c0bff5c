#include "cli/Arguments.h"

#include "link/ColorTempMath.h"
#include "link/Monitor.h"

namespace {

constexpr int kLargest = 65535;
// Plain numbers from here on are Kelvin rather than steps (the scale starts at 4000 K).
constexpr int kFirstKelvin = 4000;

// A decimal integer with an optional sign; leading or trailing junk is refused.
std::optional<long long> Integer(const QString& text, QString* error) {
    bool ok = false;
    const long long value = text.toLongLong(&ok, 10);
    if (!ok || text.trimmed() != text || text.isEmpty()) {
        *error = QStringLiteral("'%1' is not a number").arg(text);
        return std::nullopt;
    }
    return value;
}

} // namespace

namespace Arguments {

std::optional<int> Item(const QString& text, QString* error) {
    bool number = false;
    int item = text.toInt(&number, 10);
    if (!number || text.trimmed() != text || item < 0 || item >= Items::kCount)
        item = Items::FromName(text);
    if (item < 0) {
        *error = QStringLiteral("unknown item '%1' (qelt32ctl dump lists them)").arg(text);
        return std::nullopt;
    }
    return item;
}

std::optional<std::uint16_t> Value(const QString& text, QString* error) {
    const std::optional<long long> value = Integer(text, error);
    if (!value)
        return std::nullopt;
    if (*value < 0) {
        *error = QStringLiteral("%1 is negative; values are 0..%2").arg(text).arg(kLargest);
        return std::nullopt;
    }
    if (*value > kLargest) {
        *error = QStringLiteral("%1 is above %2").arg(text).arg(kLargest);
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

std::optional<int> Delta(const QString& text, QString* error) {
    const std::optional<long long> value = Integer(text, error);
    if (!value)
        return std::nullopt;
    if (*value < -kLargest || *value > kLargest) {
        *error = QStringLiteral("%1 is outside -%2..%2").arg(text).arg(kLargest);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<int> Choice(const QString& text, const QStringList& choices, QString* error) {
    for (int i = 0; i < choices.size(); ++i)
        if (text.compare(choices[i], Qt::CaseInsensitive) == 0)
            return i;
    *error = QStringLiteral("'%1' is not one of: %2").arg(text, choices.join(", "));
    return std::nullopt;
}

std::optional<ColorTempWord> ColorTemp(const QString& text, QString* error) {
    const bool suffix = text.endsWith('K', Qt::CaseInsensitive);
    const QString digits = suffix ? text.chopped(1) : text;
    QString numberError;
    const std::optional<long long> number = Integer(digits, &numberError);
    if (!number || *number < 0 || *number > kLargest) {
        *error = QStringLiteral("'%1' is neither a step nor a temperature such as 6500K").arg(text);
        return std::nullopt;
    }
    const int value = static_cast<int>(*number);
    return ColorTempWord{value, suffix || value >= kFirstKelvin};
}

std::optional<int> ColorTempStep(const ColorTempWord& word, bool revisionB, QString* error) {
    const int last = ColorTemp::LastStep(revisionB);
    const QString scale = revisionB ? QStringLiteral("6500K, 7000K .. 9000K in steps of 500K, "
                                                     "and 9300K")
                                    : QStringLiteral("4000K .. 10000K in steps of 100K");
    if (word.kelvin) {
        const int step = ColorTemp::StepOfKelvin(word.number, revisionB);
        if (step < 0)
            *error = QStringLiteral("%1K is not on this monitor's scale (%2)")
                         .arg(word.number)
                         .arg(scale);
        return step < 0 ? std::nullopt : std::optional<int>(step);
    }
    if (word.number > last) {
        *error = QStringLiteral("step %1 is outside 0..%2 (or give Kelvin: %3)")
                     .arg(word.number)
                     .arg(last)
                     .arg(scale);
        return std::nullopt;
    }
    return word.number;
}

} // namespace Arguments
