// The checks qelt32ctl applies to its words before anything reaches a port.

#include "cli/Arguments.h"
#include "cli/CommandLine.h"
#include "cli/GlobalOptions.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::uint16_t> Value(const QString& text, QString* error = nullptr) {
    QString ignored;
    return Arguments::Value(text, error ? error : &ignored);
}

CommandLine::Split Split(const QStringList& words) {
    return CommandLine::SplitArguments(QStringList{"qelt32ctl"} + words, GlobalOptions::KindOf);
}

} // namespace

TEST(CliArguments, ValuesAreDecimalNumbersUpTo65535) {
    EXPECT_EQ(Value("0"), 0);
    EXPECT_EQ(Value("65535"), 65535);
    EXPECT_EQ(Value("+7"), 7);
    QString error;
    EXPECT_FALSE(Value("65536", &error));
    EXPECT_EQ(error, "65536 is above 65535");
    EXPECT_FALSE(Value("-1", &error));
    EXPECT_EQ(error, "-1 is negative; values are 0..65535");
    for (const char* bad : {"", "abc", "12x", "0x10", " 5", "5 ", "1e3", "99999999999999999999"}) {
        EXPECT_FALSE(Value(bad, &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(CliArguments, DeltasAreSignedAndBounded) {
    QString error;
    EXPECT_EQ(Arguments::Delta("-5", &error), -5);
    EXPECT_EQ(Arguments::Delta("+65535", &error), 65535);
    EXPECT_FALSE(Arguments::Delta("-65536", &error));
    EXPECT_FALSE(Arguments::Delta("--5", &error));
}

TEST(CliArguments, ItemsAreNamedInAnyCaseOrNumbered) {
    QString error;
    EXPECT_EQ(Arguments::Item("hsize", &error), 2);
    EXPECT_EQ(Arguments::Item("HSize", &error), 2);
    EXPECT_EQ(Arguments::Item("0", &error), 0);
    EXPECT_EQ(Arguments::Item("34", &error), 34);
    EXPECT_EQ(Arguments::Item("colormode", &error), 31);
    for (const char* bad : {"35", "-1", "hsiz", "", "2 "}) {
        EXPECT_FALSE(Arguments::Item(bad, &error)) << bad;
        EXPECT_TRUE(error.startsWith("unknown item"));
    }
}

TEST(CliArguments, ChoicesIgnoreCaseAndListTheAlternatives) {
    QString error;
    EXPECT_EQ(Arguments::Choice("NUTEK", {"vesa", "nutek", "off"}, &error), 1);
    EXPECT_FALSE(Arguments::Choice("eco", {"vesa", "nutek", "off"}, &error));
    EXPECT_EQ(error, "'eco' is not one of: vesa, nutek, off");
}

TEST(CliArguments, ColourTemperatureIsAStepOrKelvin) {
    QString error;
    const auto kelvin = [&](const QString& text, bool revisionB) -> std::optional<int> {
        const auto word = Arguments::ColorTemp(text, &error);
        return word ? Arguments::ColorTempStep(*word, revisionB, &error) : std::nullopt;
    };
    EXPECT_EQ(kelvin("6500K", false), 25);
    EXPECT_EQ(kelvin("6500k", false), 25);
    EXPECT_EQ(kelvin("6500", false), 25);
    EXPECT_EQ(kelvin("4000", false), 0);
    EXPECT_EQ(kelvin("10000K", false), 60);
    EXPECT_EQ(kelvin("25", false), 25);
    EXPECT_EQ(kelvin("0", false), 0);
    EXPECT_EQ(kelvin("9300", true), 6);
    EXPECT_EQ(kelvin("6", true), 6);
    EXPECT_EQ(kelvin("8000K", true), 3);

    EXPECT_FALSE(kelvin("6550", false));
    EXPECT_TRUE(error.contains("not on this monitor's scale"));
    EXPECT_FALSE(kelvin("61", false));
    EXPECT_FALSE(kelvin("3999", false)); // a step far off the scale, not a temperature
    EXPECT_FALSE(kelvin("10100", false));
    EXPECT_FALSE(kelvin("7", true));
    EXPECT_FALSE(kelvin("4000K", true));
    EXPECT_FALSE(kelvin("K", false));
    EXPECT_FALSE(kelvin("-3", false));
    EXPECT_FALSE(kelvin("warm", false));
}

TEST(CliCommandLine, ProgramOptionsStandBeforeOrAfterTheCommand) {
    const auto after = Split({"dump", "--json", "--port", "/dev/ttyUSB0"});
    EXPECT_EQ(after.command, "dump");
    EXPECT_TRUE(after.words.isEmpty());
    EXPECT_EQ(after.options, (QStringList{"qelt32ctl", "--json", "--port", "/dev/ttyUSB0"}));

    const auto before = Split({"--simulate", "--sim-profile", "revB", "--trace", "get", "bright"});
    EXPECT_EQ(before.command, "get");
    EXPECT_EQ(before.words, QStringList{"bright"});
    EXPECT_EQ(before.options.size(), 5);
}

TEST(CliCommandLine, CommandWordsMayLookLikeOptions) {
    const auto negative = Split({"adjust", "hpos", "-5"});
    EXPECT_EQ(negative.words, (QStringList{"hpos", "-5"}));
    EXPECT_EQ(negative.options, QStringList{"qelt32ctl"});

    const auto own = Split({"save", "--groups", "color", "file.qlt"});
    EXPECT_EQ(own.words, (QStringList{"--groups", "color", "file.qlt"}));

    const auto ended = Split({"set", "--", "--json", "5"});
    EXPECT_EQ(ended.words, (QStringList{"--json", "5"}));
    EXPECT_EQ(ended.options, QStringList{"qelt32ctl"});
}

TEST(CliCommandLine, HelpAfterTheCommandAsksForThatCommandsHelp) {
    for (const char* help : {"--help", "-h"}) {
        const auto split = Split({"set", help});
        EXPECT_EQ(split.command, "set");
        EXPECT_TRUE(split.commandHelp);
        EXPECT_EQ(split.options, QStringList{"qelt32ctl"});
    }
    const auto general = Split({"--help"});
    EXPECT_TRUE(general.command.isEmpty());
    EXPECT_FALSE(general.commandHelp);
    EXPECT_EQ(general.options, (QStringList{"qelt32ctl", "--help"}));
}
