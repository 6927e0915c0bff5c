#include "app/HelpLanguage.h"

#include "platform/Translations.h"

QString HelpFileName(const QLocale& locale) {
    switch (LanguageOf(locale)) {
    case AppLanguage::Japanese:
        return QStringLiteral("qelt32j.hlp");
    case AppLanguage::French:
        return QStringLiteral("qelt32f.hlp");
    case AppLanguage::German:
        return QStringLiteral("qelt32g.hlp");
    default:
        return QStringLiteral("qelt32e.hlp");
    }
}
