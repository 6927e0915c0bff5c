#include "doc/SettingsFormat.h"

#include "link/Monitor.h"
#include "platform/PrivateProfile.h"

namespace SettingsFormat {

namespace {

// Reads little-endian fields front to back; every read says whether the bytes were there.
class CReader {
public:
    explicit CReader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool Read16(std::uint16_t& value) {
        if (Remaining() < 2)
            return false;
        value = std::uint16_t(Byte(0) | Byte(1) << 8);
        m_pos += 2;
        return true;
    }
    bool Read32(std::uint32_t& value) {
        if (Remaining() < 4)
            return false;
        value = std::uint32_t(Byte(0)) | std::uint32_t(Byte(1)) << 8 |
                std::uint32_t(Byte(2)) << 16 | std::uint32_t(Byte(3)) << 24;
        m_pos += 4;
        return true;
    }
    qsizetype Remaining() const { return m_bytes.size() - m_pos; }

private:
    std::uint32_t Byte(qsizetype offset) const {
        return static_cast<std::uint8_t>(m_bytes[m_pos + offset]);
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
};

void Write16(QByteArray& out, std::uint16_t value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void Write32(QByteArray& out, std::uint32_t value) {
    Write16(out, std::uint16_t(value & 0xFFFF));
    Write16(out, std::uint16_t(value >> 16));
}

std::optional<SettingsContent> DecodeBinary(const QByteArray& bytes) {
    SettingsContent content;
    content.form = Form::Binary;
    content.hasSerial = true;
    CReader reader(bytes);
    std::uint16_t version = 0, count16 = 0;
    if (!reader.Read16(version) || !reader.Read32(content.serial) || !reader.Read16(content.fh) ||
        !reader.Read16(content.fv) || !reader.Read16(count16))
        return std::nullopt;
    std::uint32_t count = count16;
    if (count16 == 0xFFFF && !reader.Read32(count))
        return std::nullopt;
    // The whole list must be there: a file cut short is damaged, and loading it would send
    // values that were never saved.
    if (std::uint64_t(reader.Remaining()) < 2 * std::uint64_t(count))
        return std::nullopt;
    const int present = count < std::uint32_t(kValueCount) ? int(count) : kValueCount;
    for (int i = 0; i < present; ++i) {
        std::uint16_t value = 0;
        reader.Read16(value);
        content.values[i] = value;
    }
    return content;
}

// "serial" is a signed decimal number compared as 32 bits: the unsigned text the program
// writes for a serial above 2^31 and its negative twin both match.
void ReadTextSerial(const CPrivateProfile& ini, SettingsContent& content) {
    if (!ini.HasKey("data", "serial"))
        return; // absent: the file belongs to no monitor
    const QString text = ini.GetString("data", "serial", "-1", 48);
    const qsizetype digit = text.startsWith('-') || text.startsWith('+') ? 1 : 0;
    if (digit >= text.size() || text[digit] < '0' || text[digit] > '9')
        return;
    content.hasSerial = true;
    content.serial = std::uint32_t(ParseProfileInt(text));
}

std::optional<SettingsContent> DecodeText(const QByteArray& bytes) {
    const CPrivateProfile ini = CPrivateProfile::FromBytes(bytes);
    // Without its "data" section the text is some other file (or binary of another kind).
    if (!ini.HasSection("data"))
        return std::nullopt;
    SettingsContent content;
    content.form = Form::Text;
    ReadTextSerial(ini, content);
    content.fh = std::uint16_t(ini.GetInt("data", "fh", 0));
    content.fv = std::uint16_t(ini.GetInt("data", "fv", 0));
    content.values[Items::ModeWord] = std::uint16_t(ini.GetInt("data", "flag", 0));
    for (int item : kTextScreenItems)
        content.values[item] = std::uint16_t(ini.GetInt("data", Items::Info(item).key, 0));
    for (int item : kTextColorItems)
        content.values[item] = std::uint16_t(ini.GetInt("data", Items::Info(item).key, 0));
    content.textScreen = ini.GetInt("flag", "screen", 0) != 0;
    content.textColor = ini.GetInt("flag", "color", 0) != 0;
    return content;
}

} // namespace

std::optional<SettingsContent> Decode(const QByteArray& bytes) {
    if (bytes.size() < 2 || bytes.size() > kMaxFileSize)
        return std::nullopt;
    if (bytes[0] == char(kVersion & 0xFF) && bytes[1] == char(kVersion >> 8))
        return DecodeBinary(bytes);
    return DecodeText(bytes);
}

QByteArray EncodeBinary(std::uint32_t serial, std::uint16_t fh, std::uint16_t fv,
                        const std::array<std::uint16_t, kValueCount>& values) {
    QByteArray out;
    out.reserve(kBinarySize);
    Write16(out, kVersion);
    Write32(out, serial);
    Write16(out, fh);
    Write16(out, fv);
    Write16(out, kValueCount);
    for (std::uint16_t value : values)
        Write16(out, value);
    return out;
}

} // namespace SettingsFormat
