#include "platform/Translations.h"
#include "platform/StringTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Puts English back after each test, whatever it installed.
class Translations : public testing::Test {
protected:
    void TearDown() override {
        InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    }
};

} // namespace

TEST_F(Translations, LanguageFollowsTheLocaleAndEverythingElseIsEnglish) {
    EXPECT_EQ(LanguageOf(QLocale(QLocale::German, QLocale::Austria)), AppLanguage::German);
    EXPECT_EQ(LanguageOf(QLocale(QLocale::French, QLocale::Switzerland)), AppLanguage::French);
    EXPECT_EQ(LanguageOf(QLocale(QLocale::Japanese)), AppLanguage::Japanese);
    EXPECT_EQ(LanguageOf(QLocale(QLocale::Chinese)), AppLanguage::English);
    EXPECT_EQ(LanguageOf(QLocale::c()), AppLanguage::English);
}

TEST_F(Translations, InstalledLanguageChangesTheStringTableAndCanBeReplaced) {
    QCoreApplication& app = *QCoreApplication::instance();
    ASSERT_TRUE(InstallTranslations(app, QLocale(QLocale::German)));
    EXPECT_EQ(LoadAppString(Str::Untitled), "Unbenannt");
    EXPECT_EQ(LoadAppStringEnglish(Str::Untitled), "Untitled");
    ASSERT_TRUE(InstallTranslations(app, QLocale(QLocale::Japanese)));
    EXPECT_EQ(LoadAppString(Str::Untitled), QString::fromUtf8("無題"));
    ASSERT_TRUE(InstallTranslations(app, QLocale(QLocale::French)));
    EXPECT_EQ(LoadAppString(57665), "Quitter le programme\nQuitter");
    EXPECT_TRUE(InstallTranslations(app, QLocale(QLocale::Chinese)));
    EXPECT_EQ(LoadAppString(Str::Untitled), "Untitled");
}

TEST_F(Translations, EveryStringOfTheTableIsTranslatedInEveryLanguage) {
    for (const char* code : {"de", "fr", "ja"}) {
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/translations/qelt32_") + code)) << code;
        for (int id : AppStringIds()) {
            const QByteArray english = LoadAppStringEnglish(id).toUtf8();
            EXPECT_FALSE(translator.translate("StringTable", english.constData()).isEmpty())
                << code << " " << id;
        }
    }
}

TEST_F(Translations, PlaceholdersAndLineStructureSurviveTranslation) {
    for (QLocale::Language language : {QLocale::German, QLocale::French, QLocale::Japanese}) {
        ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance(), QLocale(language)));
        for (int id : AppStringIds()) {
            const QString english = LoadAppStringEnglish(id);
            const QString translated = LoadAppString(id);
            for (const char* placeholder : {"%1", "%S"})
                EXPECT_EQ(english.contains(placeholder), translated.contains(placeholder))
                    << language << " " << id;
            // Prompt and tip, or the fields of the template, stay where the program cuts.
            EXPECT_EQ(english.count('\n'), translated.count('\n')) << language << " " << id;
        }
    }
}

TEST_F(Translations, NoTextIsLeftUnfinishedInTheTranslationSources) {
    for (const char* code : {"de", "fr", "ja"}) {
        QFile ts(QStringLiteral(QELT32_TEST_TRANSLATIONS_DIR "/qelt32_%1.ts").arg(code));
        ASSERT_TRUE(ts.open(QIODevice::ReadOnly)) << code;
        const QByteArray content = ts.readAll();
        EXPECT_FALSE(content.contains("type=\"unfinished\"")) << code;
        EXPECT_FALSE(content.contains("<translation></translation>")) << code;
    }
}
