#include "app/CommandLine.h"

#include "sim/PortOptions.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

QStringList ScreenshotTargets() {
    return {QStringLiteral("main"),
            QStringLiteral("splash"),
            QStringLiteral("menu-file"),
            QStringLiteral("menu-function"),
            QStringLiteral("menu-help"),
            QStringLiteral("about"),
            QStringLiteral("notice"),
            QStringLiteral("startup-message"),
            QStringLiteral("fullscreen"),
            QStringLiteral("fullscreen-drag"),
            QStringLiteral("fullscreen-menu"),
            QStringLiteral("fullscreen-linearity"),
            QStringLiteral("fullscreen-moire"),
            QStringLiteral("fullscreen-convergence")};
}

namespace {

const QStringList kTextOnlyOptions = {QStringLiteral("-h"),     QStringLiteral("-?"),
                                      QStringLiteral("--help"), QStringLiteral("--help-all"),
                                      QStringLiteral("-V"),     QStringLiteral("--version")};

} // namespace

bool AsksForTextOnly(const QStringList& arguments) {
    for (const QString& word : arguments.mid(1)) {
        if (word == QLatin1String("--"))
            return false;
        if (kTextOnlyOptions.contains(word))
            return true;
    }
    return false;
}

bool ParseCommandLine(const QStringList& arguments, StartupOptions& options,
                      std::unique_ptr<CSimServer>& sim, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Adjusts a CRT monitor over its serial "
                                                   "maintenance cable."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    // -V as in qelt32ctl and qelt32-sim (Qt's own version option would be -v).
    const QCommandLineOption versionOption(
        {QStringLiteral("V"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine", "Show the program's version."));
    parser.addOption(versionOption);
    const QCommandLineOption noSplash(
        QStringLiteral("no-splash"),
        QCoreApplication::translate("CommandLine", "Start without the start-up picture."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QCoreApplication::translate("CommandLine",
                                    "Save a picture of the screen to PATH once the window has "
                                    "settled, then close the program."),
        QStringLiteral("PATH"));
    const QCommandLineOption screenshotOf(
        QStringLiteral("screenshot-of"),
        QCoreApplication::translate("CommandLine", "What the screenshot shows: %1.")
            .arg(ScreenshotTargets().join(QStringLiteral(", "))),
        QStringLiteral("WHAT"), QStringLiteral("main"));
    parser.addOptions({noSplash, screenshot, screenshotOf});
    AddPortOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("CommandLine", "A settings file (.qlt) to open."),
        QStringLiteral("[file]"));

    if (!parser.parse(NormalizePortArguments(arguments))) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(versionOption)) {
        options.version = true;
        return true;
    }
    if (parser.isSet(helpOption)) {
        options.help = true;
        options.helpText = parser.helpText();
        return true;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        *error =
            QCoreApplication::translate("CommandLine", "Only one settings file can be opened: %1")
                .arg(files.join(QLatin1Char(' ')));
        return false;
    }
    options.file = files.value(0);
    options.splash = !parser.isSet(noSplash);
    options.screenshotPath = parser.value(screenshot);
    options.screenshotOf = parser.value(screenshotOf);
    if (!ScreenshotTargets().contains(options.screenshotOf)) {
        *error = QCoreApplication::translate("CommandLine", "Unknown screenshot target: %1")
                     .arg(options.screenshotOf);
        return false;
    }
    return ApplyPortOptions(parser, sim, error);
}
