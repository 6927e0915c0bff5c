#include "app/CommandLine.h"
#include "app/HelpLanguage.h"
#include "platform/PortMap.h"
#include "sim/SimServer.h"

#include "TempProfile.h"

#include <gtest/gtest.h>

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    bool Parse(QStringList args) {
        args.prepend(QStringLiteral("qelt32"));
        return ParseCommandLine(args, options, sim, &error);
    }

    CTempProfile profile;
    StartupOptions options;
    std::unique_ptr<CSimServer> sim;
    QString error;
};

TEST_F(CommandLineTest, PlainStartShowsThePictureAndOpensNothing) {
    ASSERT_TRUE(Parse({})) << error.toStdString();
    EXPECT_TRUE(options.splash);
    EXPECT_TRUE(options.file.isEmpty());
    EXPECT_TRUE(options.screenshotPath.isEmpty());
    EXPECT_FALSE(sim);
}

TEST_F(CommandLineTest, FileAndNoSplashAreTaken) {
    ASSERT_TRUE(Parse({"--no-splash", "/tmp/a.qlt"})) << error.toStdString();
    EXPECT_FALSE(options.splash);
    EXPECT_EQ(options.file, QStringLiteral("/tmp/a.qlt"));
}

TEST_F(CommandLineTest, CommandLinesThatCannotBeProcessedSayWhy) {
    EXPECT_FALSE(Parse({"--frobnicate"}));
    EXPECT_TRUE(error.contains(QStringLiteral("frobnicate")));
    EXPECT_FALSE(Parse({"a.qlt", "b.qlt"}));
    EXPECT_TRUE(error.contains(QStringLiteral("b.qlt")));
    EXPECT_FALSE(Parse({"--screenshot", "/tmp/x.png", "--screenshot-of", "desktop"}));
    EXPECT_TRUE(error.contains(QStringLiteral("desktop")));
    EXPECT_FALSE(Parse({"--simulate=nosuchmonitor"}));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(sim);
}

TEST_F(CommandLineTest, PortOptionsChooseTheDevices) {
    ASSERT_TRUE(Parse({"--port", "/dev/ttyUSB7"})) << error.toStdString();
    EXPECT_EQ(PortMap().Path(0), QStringLiteral("/dev/ttyUSB7"));
    EXPECT_TRUE(PortMap().Path(1).isEmpty());

    ASSERT_TRUE(Parse({"--simulate=revB", "--sim-unpaced"})) << error.toStdString();
    ASSERT_TRUE(sim);
    EXPECT_EQ(PortMap().Path(0), sim->Path());
    EXPECT_EQ(sim->Monitor().Profile().revision, 'B');
}

TEST(HelpLanguageTest, HelpFileFollowsTheLanguageNotTheCountry) {
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("ja_JP"))), QStringLiteral("qelt32j.hlp"));
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("fr_CH"))), QStringLiteral("qelt32f.hlp"));
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("fr_FR"))), QStringLiteral("qelt32f.hlp"));
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("de_AT"))), QStringLiteral("qelt32g.hlp"));
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("zh_CN"))), QStringLiteral("qelt32e.hlp"));
    EXPECT_EQ(HelpFileName(QLocale(QStringLiteral("en_US"))), QStringLiteral("qelt32e.hlp"));
}

} // namespace
