#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// The languages the program speaks besides English.
enum class AppLanguage { English, German, French, Japanese };

// German, French and Japanese by the locale's language; English for every other.
AppLanguage LanguageOf(const QLocale& locale);

// Installs the program's texts (string table, menus, dialogs) and Qt's own texts (standard
// buttons, file dialogs) for the language of `locale`, replacing any installed before.
// Returns false when the program's translation for that language cannot be loaded (the
// texts then stay English); English itself needs none and returns true.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());
