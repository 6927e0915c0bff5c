#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// A reader of initialisation files ("[section]" lines followed by "key=value" lines) with
// the semantics programs of the monitor's era relied on:
// - section and key names compare case-insensitively;
// - the first section of a name is the one searched, and its first matching key wins;
// - names and values are trimmed; a value in matching single or double quotes loses them;
// - an absent key gives the caller's default (with its trailing blanks removed);
// - a string result is cut to the caller's buffer size, less one for the terminator;
// - lines starting with ';' are comments, keys before the first section belong to none.
// Files are UTF-8 (Latin-1 when not valid UTF-8); a UTF-8 or UTF-16 byte-order mark is
// honoured. The reader never fails: unreadable text simply holds no keys.
class CPrivateProfile {
public:
    CPrivateProfile() = default;
    static CPrivateProfile FromBytes(const QByteArray& bytes);
    // No initialisation file of the program comes near this size.
    static constexpr qsizetype kMaxFileSize = 1024 * 1024;
    // A missing or unreadable file reads as an empty one, and so does anything but a plain
    // file of at most `maxBytes`.
    static CPrivateProfile FromFile(const QString& path, qsizetype maxBytes = kMaxFileSize);

    QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                      int bufferSize) const;
    // The value's leading decimal number (optional sign), wrapped to 32 bits; 0 when the
    // value does not start with a number; the default when the key is absent or its value
    // empty.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    bool HasKey(const QString& section, const QString& key) const;
    bool HasSection(const QString& section) const;

private:
    // Names and values are views into m_text, which no one changes once it is read: reading a
    // file allocates the text, the section and entry tables and nothing per line. A copy
    // shares the text, so its views stay valid whichever copy goes first.
    struct Entry {
        QStringView key;
        QStringView value;
    };
    struct Section {
        QStringView name;
        std::size_t first = 0, end = 0; // its entries in m_entries
    };
    // Takes one trimmed line: a section header, a key of the current section, or nothing.
    void AddLine(QStringView line);
    const QStringView* Find(QStringView section, QStringView key) const;

    QString m_text;
    std::vector<Section> m_sections;
    std::vector<Entry> m_entries;
};

// Single lookups that read the file at `path` each time, as the system calls did.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path);
int GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
                         const QString& path);

// The leading decimal number of `text` (optional sign) wrapped to 32 bits, 0 without digits.
int ParseProfileInt(QStringView text);
