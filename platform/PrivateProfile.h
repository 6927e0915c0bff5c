#pragma once

#include <QByteArray>
#include <QString>

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
    // A missing or unreadable file reads as an empty one.
    static CPrivateProfile FromFile(const QString& path);

    QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                      int bufferSize) const;
    // The value's leading decimal number (optional sign), wrapped to 32 bits; 0 when the
    // value does not start with a number; the default when the key is absent or its value
    // empty.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    bool HasKey(const QString& section, const QString& key) const;
    bool HasSection(const QString& section) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const QString* Find(const QString& section, const QString& key) const;

    std::vector<Section> m_sections;
};

// Single lookups that read the file at `path` each time, as the system calls did.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path);
int GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
                         const QString& path);

// The leading decimal number of `text` (optional sign) wrapped to 32 bits, 0 without digits.
int ParseProfileInt(const QString& text);
