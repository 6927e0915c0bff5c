#pragma once

#include <QString>

// The per-user application profile (company "VORKA", application "Vistrel Pro"), with the
// four calls the program uses. Sections and keys are the program's own ("Settings"/"com").
// Stored through QSettings in the user's configuration folder; tests redirect it with
// SetProfileFolderForTests.
namespace Profile {
int GetInt(const QString& section, const QString& key, int defaultValue);
void WriteInt(const QString& section, const QString& key, int value);
QString GetString(const QString& section, const QString& key, const QString& defaultValue = {});
void WriteString(const QString& section, const QString& key, const QString& value);

// Points the profile at a private folder (tests); an empty path goes back to the default.
void SetFolderForTests(const QString& folder);
} // namespace Profile
