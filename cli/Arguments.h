#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Checks of the words a command is given, before anything is sent to the monitor. Each
// returns nothing and sets `error` to a one-line reason when the word is not acceptable.
namespace Arguments {

// An item by name or number ("hsize", "2").
std::optional<int> Item(const QString& text, QString* error);
// A value to write: a decimal number 0..65535.
std::optional<std::uint16_t> Value(const QString& text, QString* error);
// A step to add: a decimal number -65535..65535.
std::optional<int> Delta(const QString& text, QString* error);
// The position of `text` in `choices` (case-insensitive).
std::optional<int> Choice(const QString& text, const QStringList& choices, QString* error);

// A colour temperature as typed: a step ("25"), or Kelvin ("6500K", "6500k", or a plain
// number from 4000 up).
struct ColorTempWord {
    int number = 0;
    bool kelvin = false;
};
std::optional<ColorTempWord> ColorTemp(const QString& text, QString* error);
// The step of a typed temperature on the monitor's scale.
std::optional<int> ColorTempStep(const ColorTempWord& word, bool revisionB, QString* error);

} // namespace Arguments
