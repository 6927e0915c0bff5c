#include "platform/PrivateProfile.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdint>

namespace {

QString DecodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return utf16(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16BE);
        return utf16(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString Unquote(const QString& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

CPrivateProfile CPrivateProfile::FromBytes(const QByteArray& bytes) {
    CPrivateProfile profile;
    const QString text = DecodeText(bytes);
    Section* current = nullptr;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QString line = text.mid(pos, end - pos).trimmed();
        pos = end + 1;

        if (line.isEmpty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.lastIndexOf(']');
            if (close < 0)
                continue; // not a header and not a key of any section
            profile.m_sections.push_back({line.mid(1, close - 1).trimmed(), {}});
            current = &profile.m_sections.back();
            continue;
        }
        if (!current)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            current->entries.push_back({line, QString()});
        else
            current->entries.push_back(
                {line.left(equals).trimmed(), Unquote(line.mid(equals + 1).trimmed())});
    }
    return profile;
}

CPrivateProfile CPrivateProfile::FromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return FromBytes(file.readAll());
}

const QString* CPrivateProfile::Find(const QString& section, const QString& key) const {
    for (const Section& s : m_sections) {
        if (!SameName(s.name, section))
            continue;
        for (const Entry& e : s.entries)
            if (SameName(e.key, key))
                return &e.value;
        return nullptr; // only the first section of a name is searched
    }
    return nullptr;
}

QString CPrivateProfile::GetString(const QString& section, const QString& key,
                                   const QString& defaultValue, int bufferSize) const {
    if (bufferSize <= 0)
        return QString();
    const QString* value = Find(section, key);
    QString result;
    if (value) {
        result = *value;
    } else {
        result = defaultValue;
        while (!result.isEmpty() && result.back() == ' ')
            result.chop(1);
    }
    return result.left(bufferSize - 1);
}

int CPrivateProfile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QString* value = Find(section, key);
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

int ParseProfileInt(const QString& text) {
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
