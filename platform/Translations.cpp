#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The translators in force; replaced when the language is installed again.
QTranslator* g_programTranslator = nullptr;
QTranslator* g_qtTranslator = nullptr;

void Remove(QCoreApplication& app, QTranslator*& translator) {
    if (!translator)
        return;
    app.removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

QString Code(AppLanguage language) {
    switch (language) {
    case AppLanguage::German:
        return QStringLiteral("de");
    case AppLanguage::French:
        return QStringLiteral("fr");
    case AppLanguage::Japanese:
        return QStringLiteral("ja");
    case AppLanguage::English:
        break;
    }
    return QStringLiteral("en");
}

} // namespace

AppLanguage LanguageOf(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::German:
        return AppLanguage::German;
    case QLocale::French:
        return AppLanguage::French;
    case QLocale::Japanese:
        return AppLanguage::Japanese;
    default:
        return AppLanguage::English;
    }
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    Remove(app, g_programTranslator);
    Remove(app, g_qtTranslator);
    const AppLanguage language = LanguageOf(locale);
    if (language == AppLanguage::English)
        return true;
    const QString code = Code(language);

    // Qt's own texts are a nicety: without them the standard buttons stay English.
    auto* qt = new QTranslator;
    if (qt->load(QStringLiteral("qtbase_") + code,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(qt);
        g_qtTranslator = qt;
    } else {
        delete qt;
    }

    // The program's own texts are embedded by the resource library.
    auto* program = new QTranslator;
    if (!program->load(QStringLiteral(":/translations/qelt32_") + code)) {
        delete program;
        return false;
    }
    app.installTranslator(program);
    g_programTranslator = program;
    return true;
}
