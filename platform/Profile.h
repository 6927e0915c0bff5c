#pragma once

#include <QString>

// The per-user application profile (company "VORKA", application "Vistrel Pro"), with the
// four calls the program uses. Sections and keys are the program's own ("Settings"/"com").
// Stored through QSettings in the user's configuration folder; tests redirect it with
// SetProfileFolderForTests.
//
// The file is checked before QSettings is trusted with it: a profile it would misread (a
// hand edit with an unclosed quote, a block of binary garbage, a pipe in its place) is read
// as far as it can be and then left exactly as it is, and the program says so once.
namespace Profile {
int GetInt(const QString& section, const QString& key, int defaultValue);
void WriteInt(const QString& section, const QString& key, int value);
QString GetString(const QString& section, const QString& key, const QString& defaultValue = {});
void WriteString(const QString& section, const QString& key, const QString& value);

// A write is stored at once, unless a batch lives: then the writes are stored together, in
// one rewrite of the file, when the last batch ends. A large profile made every single
// rewrite slow, so the program's end writes its settings as one batch.
class CWriteBatch {
public:
    CWriteBatch();
    ~CWriteBatch();
    CWriteBatch(const CWriteBatch&) = delete;
    CWriteBatch& operator=(const CWriteBatch&) = delete;
};

// Why the profile is left as it is, for the status bar; empty while it is sound.
QString Problem();

// Points the profile at a private folder (tests); an empty path goes back to the default.
void SetFolderForTests(const QString& folder);
} // namespace Profile
