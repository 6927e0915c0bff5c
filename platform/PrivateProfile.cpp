#include "platform/PrivateProfile.h"

#include "platform/FileIo.h"

#include <QStringDecoder>
#include <QStringTokenizer>

#include <algorithm>
#include <cstdint>

namespace {

QString DecodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return utf16(bytes.sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16BE);
        return utf16(bytes.sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringView Unquote(QStringView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

CPrivateProfile CPrivateProfile::FromBytes(const QByteArray& bytes) {
    CPrivateProfile profile;
    profile.m_text = DecodeText(bytes);
    // A line ends at a CR, an LF or both (the empty line between the two is skipped).
    for (const QStringView row : qTokenize(QStringView(profile.m_text), u'\n'))
        for (const QStringView piece : qTokenize(row, u'\r'))
            profile.AddLine(piece.trimmed());
    return profile;
}

void CPrivateProfile::AddLine(QStringView line) {
    if (line.isEmpty() || line.front() == ';')
        return;
    if (line.front() == '[') {
        const qsizetype close = line.lastIndexOf(']');
        if (close < 0)
            return; // not a header and not a key of any section
        m_sections.push_back(
            {line.sliced(1, close - 1).trimmed(), m_entries.size(), m_entries.size()});
        return;
    }
    if (m_sections.empty())
        return;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        m_entries.push_back({line, QStringView()});
    else
        m_entries.push_back(
            {line.first(equals).trimmed(), Unquote(line.sliced(equals + 1).trimmed())});
    m_sections.back().end = m_entries.size();
}

CPrivateProfile CPrivateProfile::FromFile(const QString& path, qsizetype maxBytes) {
    QByteArray bytes;
    if (ReadWholeFile(path, maxBytes, bytes) != FileError::None)
        return {};
    return FromBytes(bytes);
}

const QStringView* CPrivateProfile::Find(QStringView section, QStringView key) const {
    for (const Section& s : m_sections) {
        if (!SameName(s.name, section))
            continue;
        for (std::size_t i = s.first; i < s.end; ++i)
            if (SameName(m_entries[i].key, key))
                return &m_entries[i].value;
        return nullptr; // only the first section of a name is searched
    }
    return nullptr;
}

QString CPrivateProfile::GetString(const QString& section, const QString& key,
                                   const QString& defaultValue, int bufferSize) const {
    if (bufferSize <= 0)
        return QString();
    if (const QStringView* value = Find(section, key))
        return value->first(std::min<qsizetype>(value->size(), bufferSize - 1)).toString();
    QStringView result = defaultValue;
    while (!result.isEmpty() && result.back() == ' ')
        result.chop(1);
    return result.first(std::min<qsizetype>(result.size(), bufferSize - 1)).toString();
}

int CPrivateProfile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QStringView* value = Find(section, key);
    return value && !value->isEmpty() ? ParseProfileInt(*value) : defaultValue;
}

bool CPrivateProfile::HasKey(const QString& section, const QString& key) const {
    return Find(section, key) != nullptr;
}

bool CPrivateProfile::HasSection(const QString& section) const {
    for (const Section& s : m_sections)
        if (SameName(s.name, section))
            return true;
    return false;
}

int ParseProfileInt(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::uint32_t value = 0; // unsigned, so that overflow wraps instead of being undefined
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + std::uint32_t(text[i].unicode() - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path) {
    return CPrivateProfile::FromFile(path).GetString(section, key, defaultValue, bufferSize);
}

int GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
                         const QString& path) {
    return CPrivateProfile::FromFile(path).GetInt(section, key, defaultValue);
}
