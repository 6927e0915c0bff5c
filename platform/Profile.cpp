#include "platform/Profile.h"

#include <QSettings>

#include <memory>

namespace {

QString g_testFolder;

std::unique_ptr<QSettings> Open() {
    if (!g_testFolder.isEmpty())
        return std::make_unique<QSettings>(g_testFolder + "/Vistrel Pro.ini", QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "VORKA",
                                       "Vistrel Pro");
}

QString Path(const QString& section, const QString& key) { return section + '/' + key; }

} // namespace

namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue) {
    bool ok = false;
    const int value = Open()->value(Path(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void WriteInt(const QString& section, const QString& key, int value) {
    Open()->setValue(Path(section, key), value);
}

QString GetString(const QString& section, const QString& key, const QString& defaultValue) {
    return Open()->value(Path(section, key), defaultValue).toString();
}

void WriteString(const QString& section, const QString& key, const QString& value) {
    Open()->setValue(Path(section, key), value);
}

void SetFolderForTests(const QString& folder) { g_testFolder = folder; }

} // namespace Profile
