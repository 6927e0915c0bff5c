#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

// The settings file (".qlt") in its two forms.
//
// Binary, the only form written: little-endian fields without gaps, 82 bytes in all:
//   version (16 bits, 1), serial number (32), fh in kHz (16), fv in Hz (16), count (16),
//   then `count` 16-bit values, item 0 first. A count of 0xFFFF or more is written as 0xFFFF
//   followed by the count in 32 bits; the reader accepts both.
// Text, read only: an initialisation file with section "data" ("serial", "fh", "fv", "flag"
//   and one key per keyed item) and section "flag" ("screen", "color": which groups to load).
// A file whose first 16 bits are not version 1 is taken for the text form, and is one only
//   when it has a "data" section.
namespace SettingsFormat {

constexpr int kValueCount = 35;
constexpr std::uint16_t kVersion = 1;
constexpr int kBinarySize = 12 + 2 * kValueCount;
// Anything longer is no settings file; refusing it keeps a stray large file from being parsed.
constexpr qsizetype kMaxFileSize = 1 << 20;

// The keyed items of the text form, in the order they are loaded.
constexpr std::array<int, 13> kTextScreenItems = {2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 22, 18, 19};
constexpr std::array<int, 9> kTextColorItems = {0, 1, 23, 24, 25, 26, 27, 28, 29};

enum class Form { Binary, Text };

// What a settings file holds, whichever its form.
struct SettingsContent {
    Form form = Form::Binary;
    // False when a text file has no usable "serial": such a file belongs to no monitor.
    bool hasSerial = false;
    std::uint32_t serial = 0;
    std::uint16_t fh = 0;
    std::uint16_t fv = 0;
    // Values by item number. A binary file with a short count, or the text form (which has
    // no key for some items), leaves the others absent.
    std::array<std::optional<std::uint16_t>, kValueCount> values{};
    // Text form only: the groups the file asks to have loaded.
    bool textScreen = false;
    bool textColor = false;
};

// Decodes either form. nullopt when the file is not a settings file: shorter than its
// version field, longer than kMaxFileSize, a binary file that ends before its count field
// or inside its value list, or a text without a "data" section.
std::optional<SettingsContent> Decode(const QByteArray& bytes);

// The binary form of a monitor's state.
QByteArray EncodeBinary(std::uint32_t serial, std::uint16_t fh, std::uint16_t fv,
                        const std::array<std::uint16_t, kValueCount>& values);

} // namespace SettingsFormat
