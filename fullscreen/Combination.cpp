#include "fullscreen/Combination.h"

#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <string>

std::array<double, 16> g_comboCoef{};

namespace {

// The file's keys in entry order, each read only when the monitor has its gating item.
struct ComboKey {
    const char* name;
    int gatingItem;
};
constexpr std::array<ComboKey, 8> kKeys = {{
    {"HSIZE,HPOS", 2},
    {"VSIZE,VPOS", 4},
    {"TRAPE,PARALLE", 9},
    {"SIDE,PINBALA", 8},
    {"PINTOP,PINTOPBALA", 11},
    {"PINBOTTOM,PINBOTTOMBALA", 10},
    {"VLINEARBALA,VPOS", 14},
    {"VLINEAR,VSIZE", 15},
}};
// The linearity keys give a ratio: the partner's change per unit of the linearity item.
constexpr std::size_t kFirstRatioKey = 6;

// No item's range spans more than this, so a larger coefficient moves every item out of
// range at the smallest step just as well; bounding it keeps every product of a coefficient
// and a step within an int for whoever converts it.
constexpr double kCoefLimit = 32767.0;

double Bounded(double coefficient) {
    return std::clamp(coefficient, -kCoefLimit, kCoefLimit);
}

const QString kMissing = QStringLiteral("err"); // the reader's default: the key is absent
constexpr int kValueBuffer = 16;                // at most 15 characters of a value are read

// The program folder's file of this name. The monitor's disk spells its file in capitals,
// and a file copied from it keeps them, so the name is matched without regard to case as it
// is where these files come from. Only a plain file of at most 1 MB is read: a pipe or a
// device in its place would block the reader or never end.
CPrivateProfile ReadProgramFile(const QString& programDir, const QString& name) {
    constexpr qsizetype kMaxFileSize = 1024 * 1024;
    const QDir dir(programDir);
    QFileInfo info(dir.filePath(name));
    if (!info.exists()) {
        const QStringList matches = dir.entryList({name}, QDir::Files | QDir::Hidden);
        if (!matches.isEmpty())
            info.setFile(dir.filePath(matches.front()));
    }
    return CPrivateProfile::FromFile(info.filePath(), kMaxFileSize);
}

QString ReadValue(const CPrivateProfile& file, const QString& section, const char* key) {
    return file.GetString(section, QLatin1String(key), kMissing, kValueBuffer);
}

bool IsBlank(QChar c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ParseLeadingNumber(QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && IsBlank(text[i]))
        ++i;
    std::string number; // the accepted characters, for a locale-independent conversion
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    auto takeDigits = [&] {
        int count = 0;
        for (; i < n && IsDigit(text[i]); ++i, ++count)
            number += char(text[i].unicode());
        return count;
    };
    int mantissaDigits = takeDigits();
    if (i < n && text[i] == '.') {
        number += '.';
        ++i;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return 0.0;
    // An exponent counts only with at least one digit; "1e" and "1e+" read as 1.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        const qsizetype mark = i;
        const std::size_t length = number.size();
        number += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            number += char(text[i++].unicode());
        if (takeDigits() == 0) {
            i = mark;
            number.resize(length);
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return error == std::errc() ? value : 0.0;
}

bool LoadCombinationFile(const QString& programDir, const QString& modelName,
                         const std::function<bool(int item)>& isAvailable,
                         std::array<double, 16>& coef) {
    CPrivateProfile file = ReadProgramFile(programDir, QStringLiteral("Display.ini"));
    if (ReadValue(file, modelName, kKeys[0].name) == kMissing) {
        file = ReadProgramFile(programDir, QStringLiteral("Display1.ini"));
        if (ReadValue(file, modelName, kKeys[0].name) == kMissing)
            return false;
    }
    for (std::size_t j = 0; j < kKeys.size(); ++j) {
        if (!isAvailable(kKeys[j].gatingItem))
            continue;
        const QString value = ReadValue(file, modelName, kKeys[j].name);
        const qsizetype comma = value.indexOf(',');
        if (value == kMissing || comma < 0)
            return false;
        double& first = coef[2 * j];
        double& second = coef[2 * j + 1];
        first = Bounded(ParseLeadingNumber(QStringView(value).left(comma)));
        second = Bounded(ParseLeadingNumber(QStringView(value).mid(comma + 1)));
    }
    // The linearity keys become ratios only once the whole file has been read: a load
    // that failed part-way leaves them as the file gave them.
    for (std::size_t j = kFirstRatioKey; j < kKeys.size(); ++j) {
        double& first = coef[2 * j];
        double& second = coef[2 * j + 1];
        if (first != 0.0) {
            second = Bounded(second / first);
            first = 1.0;
        }
    }
    return true;
}
