#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <functional>

// The combination coefficients: for each of the eight keys of the combination file, the
// factors of its first and second item (entries 2j and 2j + 1). All zero until loaded.
extern std::array<double, 16> g_comboCoef;

// Entries of g_comboCoef, named after the halves of the file's keys.
enum class ComboCoef {
    kHSize, // "HSIZE,HPOS"
    kHPos,
    kVSize, // "VSIZE,VPOS"
    kVPos,
    kTrape, // "TRAPE,PARALLE"
    kParalle,
    kSide, // "SIDE,PINBALA"
    kPinBala,
    kPinTop, // "PINTOP,PINTOPBALA"
    kPinTopBala,
    kPinBottom, // "PINBOTTOM,PINBOTTOMBALA"
    kPinBottomBala,
    kVLinearBala, // "VLINEARBALA,VPOS": 1.0 once loaded (or 0.0 when the file says 0)
    kVPosPerVLinearBala,
    kVLinear, // "VLINEAR,VSIZE": likewise
    kVSizePerVLinear,
};

// Reads the model's coefficients from <programDir>/Display.ini or, when that file has no
// "HSIZE,HPOS" for the model, from Display1.ini, into `coef`. Keys whose item the monitor
// lacks (`isAvailable` false) are skipped. False when the combination functions cannot be
// used: neither file knows the model, or a needed key is missing or has no comma; the
// pairs read before the failure stay in `coef` as read. After a complete load the two
// linearity keys are normalised (first entry 1.0, second the ratio). Every coefficient is bounded
// to
// +-32767, beyond which any item would leave its range at the smallest step anyway.
bool LoadCombinationFile(const QString& programDir, const QString& modelName,
                         const std::function<bool(int item)>& isAvailable,
                         std::array<double, 16>& coef);

// The number at the start of `text` as the C library reads one: leading blanks, an
// optional sign, digits with an optional decimal point, an optional exponent; reading
// stops at the first character that does not fit. 0.0 when no number starts the text.
// Only plain decimal numbers count: "inf", "nan" and hexadecimal forms read as 0.0 (or
// as the "0" before the "x"), and numbers beyond the range of a double as 0.0, so a
// coefficient is always a finite number.
double ParseLeadingNumber(QStringView text);
