// qelt32ctl changing the monitor: items, colour temperature, modes and commands, and bad
// input that must not send anything.

#include "CliRunner.h"

#include "link/ColorTempMath.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kPowerNutek = 0x0040, kInputBnc = 0x0008, kDetectManual = 0x0010,
                        kDetectBnc = 0x0400, kBeepOff = 0x0800, kHMoire = 0x0100,
                        kColorCustom = 0x2000;

std::vector<std::uint16_t> SetValuesTo(const CSimMonitor& sim, std::uint8_t code) {
    std::vector<std::uint16_t> values;
    for (const SimRequest& request : sim.RequestLog())
        if (request.command == 0x03 && request.data.at(0) == code)
            values.push_back(std::uint16_t(request.data[1] << 8 | request.data[2]));
    return values;
}

} // namespace

TEST(CliSet, WritesEachItemWithRampAndPrintsTheResult) {
    CCliRunner cli;
    cli.Sim().SetValue(2, 140);
    const auto result = cli.Run({"set", "hsize", "152", "contrast", "10"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.OutLines(), (QStringList{"hsize 152", "contrast 10"}));
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(cli.Sim().Value(2), 152);
    EXPECT_EQ(cli.Sim().Value(1), 10);
    EXPECT_EQ(SetValuesTo(cli.Sim(), 0x1A), (std::vector<std::uint16_t>{145, 150, 152}));
}

TEST(CliSet, AValueAboveTheMaximumIsLoweredWithANote) {
    CCliRunner cli;
    const auto result = cli.Run({"set", "bright", "300"});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.OutLines(), QStringList{"bright 255"});
    EXPECT_EQ(result.ErrLines(),
              QStringList{"qelt32ctl: set: bright: 300 is above the maximum; 255 is set instead"});
    EXPECT_EQ(cli.Sim().Value(0), 255);
}

TEST(CliAdjust, StepsWithinTheRangeAndRefusesToLeaveIt) {
    CCliRunner cli;
    cli.Sim().SetValue(3, 128);
    const auto down = cli.Run({"adjust", "hpos", "-5"});
    ASSERT_EQ(down.status, 0) << down.err.toStdString();
    EXPECT_EQ(down.OutLines(), QStringList{"hpos 123"});
    EXPECT_EQ(cli.Sim().Value(3), 123);
    EXPECT_EQ(cli.Run({"adjust", "hpos", "+132"}).OutLines(), QStringList{"hpos 255"});

    const int framesBefore = cli.SetValueFrames();
    const auto over = cli.Run({"adjust", "hpos", "1"});
    EXPECT_EQ(over.status, 2);
    EXPECT_EQ(
        over.ErrLines(),
        QStringList{"qelt32ctl: adjust: hpos 255 + 1 gives 256, outside 0..255; nothing sent"});
    EXPECT_EQ(cli.SetValueFrames(), framesBefore);
}

TEST(CliAdjust, ItemsWithAWideRangeStepToo) {
    CCliRunner cli;
    cli.Sim().SetValue(30, 0x9000);
    const auto up = cli.Run({"adjust", "modeword", "1"});
    ASSERT_EQ(up.status, 0) << up.err.toStdString();
    EXPECT_EQ(up.OutLines(), QStringList{"modeword 36865"});
    EXPECT_EQ(cli.Sim().Value(30), 0x9001);
}

TEST(CliBadInput, IsRefusedWithStatusTwoAndNothingIsSent) {
    CCliRunner cli;
    const QList<QStringList> cases = {{"set", "hsize", "65536"},
                                      {"set", "hsize", "99999999999"},
                                      {"set", "hsize", "-1"},
                                      {"set", "hsize", "12x"},
                                      {"set", "hsize", "0x10"},
                                      {"set", "hsize", ""},
                                      {"set", "hsize"},
                                      {"set", "nosuch", "5"},
                                      {"set", "35", "5"},
                                      {"set", "hsize", "150", "bright", "abc"},
                                      {"set", "pintop", "5"},
                                      {"set", "colorpreset", "14"},
                                      {"adjust", "hpos"},
                                      {"adjust", "hpos", "five"},
                                      {"adjust", "hpos", "70000"},
                                      {"adjust", "bright", "-1000"},
                                      {"colortemp", "6550"},
                                      {"colortemp", "61"},
                                      {"colortemp", "warm"},
                                      {"colortemp", "3", "4"},
                                      {"colormode", "4"},
                                      {"power-save", "eco"},
                                      {"input", "hdmi"},
                                      {"beep", "loud"},
                                      {"moire", "h"},
                                      {"moire", "x", "on"},
                                      {"moire", "h", "maybe"},
                                      {"reset", "everything"},
                                      {"reset"},
                                      {"degauss", "now"},
                                      {"store", "it"},
                                      {"info", "extra"}};
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto result = cli.Run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
        ASSERT_EQ(result.ErrLines().size(), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith("qelt32ctl: " + arguments.first() + ": "));
    }
    EXPECT_EQ(cli.ChangingFrames(), 0);
}

TEST(CliColorTemp, ReadsAndSetsByKelvinOrStepOnTheFullScale) {
    CCliRunner cli;
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"9300K step 53"});

    ASSERT_EQ(cli.Run({"colortemp", "6500K"}).status, 0);
    EXPECT_EQ(cli.Sim().Value(34), 5);
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"6500K step 25"});

    ASSERT_EQ(cli.Run({"colortemp", "4700"}).status, 0);
    EXPECT_TRUE(cli.Sim().ModeWord() & kColorCustom);
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"4700K step 7"});
    ASSERT_EQ(cli.Run({"colortemp", "52"}).status, 0);
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"9200K step 52"});

    // One gain moved by hand: no step matches any more.
    ASSERT_EQ(cli.Run({"adjust", "ggain", "1"}).status, 0);
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(),
              QStringList{"none (the colour values match no step of the scale)"});
}

TEST(CliColorTemp, RevisionBHasSevenStepsFrom6500KTo9300K) {
    CCliRunner cli(QStringLiteral("revB"));
    ASSERT_EQ(cli.Run({"colortemp", "8000k"}).status, 0);
    const SimProfile& p = cli.Sim().Profile();
    const ColorTemp::Table expected = ColorTemp::BlendRevB(3, p.tableA, p.tableB);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(cli.Sim().Value(kColorOrder[i]), expected[i]) << i;
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"8000K step 3"});
    ASSERT_EQ(cli.Run({"colortemp", "6"}).status, 0);
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"9300K step 6"});

    const auto off = cli.Run({"colortemp", "4000K"});
    EXPECT_EQ(off.status, 2);
    EXPECT_TRUE(off.err.contains("not on this monitor's scale"));
    EXPECT_EQ(cli.Run({"colortemp", "7"}).status, 2);
}

TEST(CliModes, EachModeIsReadAndSwitched) {
    CCliRunner cli;
    struct Case {
        QStringList set;
        std::uint16_t bits; // mode-word bits that must be set afterwards
        QStringList read;   // what reading prints afterwards
    };
    const Case cases[] = {
        {{"power-save", "nutek"}, kPowerNutek, {"nutek"}},
        {{"input", "bnc"}, kInputBnc, {"bnc"}},
        {{"detection", "auto-bnc"}, kDetectBnc, {"auto-bnc"}},
        {{"detection", "manual"}, kDetectManual, {"manual"}},
        {{"beep", "off"}, kBeepOff, {"off"}},
        {{"moire", "h", "on"}, kHMoire, {"h on", "v off"}},
    };
    EXPECT_EQ(cli.Run({"power-save"}).OutLines(), QStringList{"vesa"});
    EXPECT_EQ(cli.Run({"beep"}).OutLines(), QStringList{"on"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set.join(' ').toStdString());
        const auto result = cli.Run(c.set);
        ASSERT_EQ(result.status, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(cli.Sim().ModeWord() & c.bits, c.bits);
        EXPECT_EQ(cli.Run({c.set.first()}).OutLines(), c.read);
    }
    ASSERT_EQ(cli.Run({"colormode", "2"}).status, 0);
    EXPECT_EQ(cli.Sim().Value(31), 1);
    EXPECT_EQ(cli.Run({"colormode"}).OutLines(), QStringList{"2"});
}

TEST(CliModes, AModeTheMonitorDidNotTakeEndsWithStatusOne) {
    CCliRunner cli;
    struct Case {
        int item; // the item that does not stick
        QStringList command;
        QString refusal;
    };
    const Case cases[] = {
        {32, {"set", "interval", "3"}, "set: interval: the monitor did not take 3"},
        {31, {"set", "colormode", "1"}, "set: colormode: the monitor did not take 1"},
        {34, {"set", "colorpreset", "3"}, "set: colorpreset: the monitor did not take 3"},
        {30, {"set", "modeword", "8"}, "set: modeword: the monitor did not take 8"},
        {31, {"colormode", "2"}, "colormode: the monitor did not take 2"},
        {30, {"power-save", "nutek"}, "power-save: the monitor did not take nutek"},
        {30, {"beep", "off"}, "beep: the monitor did not take off"},
        {30, {"input", "bnc"}, "input: the monitor did not take bnc"},
        {30, {"detection", "manual"}, "detection: the monitor did not take manual"},
        {30, {"moire", "h", "on"}, "moire: the monitor did not take the change"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command.join(' ').toStdString());
        cli.Sim().SetStick(c.item, SimStick::KeepsOld);
        const std::uint16_t held = cli.Sim().Value(c.item);
        const auto result = cli.Run(c.command);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.ErrLines(), QStringList{"qelt32ctl: " + c.refusal});
        if (c.command.first() == "set") {
            EXPECT_EQ(result.OutLines(),
                      QStringList{QStringLiteral("%1 %2").arg(c.command[1]).arg(held)})
                << "what the monitor holds, not what was asked";
        }
        cli.Sim().SetStick(c.item, SimStick::Sticks);
    }
}

TEST(CliModes, RevisionBDetectsOnlyAutomaticallyOrManually) {
    CCliRunner cli(QStringLiteral("revB"));
    ASSERT_EQ(cli.Run({"detection", "manual"}).status, 0);
    EXPECT_TRUE(cli.Sim().ModeWord() & kDetectManual);
    EXPECT_EQ(cli.Run({"detection"}).OutLines(), QStringList{"manual"});
    ASSERT_EQ(cli.Run({"detection", "auto"}).status, 0);
    EXPECT_FALSE(cli.Sim().ModeWord() & kDetectManual);

    const auto bnc = cli.Run({"detection", "auto-bnc"});
    EXPECT_EQ(bnc.status, 2);
    EXPECT_FALSE(cli.Sim().ModeWord() & kDetectBnc);
}

TEST(CliCommands, DegaussResetStoreAndAutoSizeReachTheMonitor) {
    CCliRunner cli;
    EXPECT_EQ(cli.Run({"degauss"}).status, 0);
    EXPECT_EQ(cli.Sim().DegaussCount(), 1);
    EXPECT_EQ(cli.Run({"reset", "geometry"}).status, 0);
    EXPECT_EQ(cli.Sim().ResetCount(0x0A), 1);
    EXPECT_EQ(cli.Run({"reset", "colour"}).status, 0);
    EXPECT_EQ(cli.Sim().ResetCount(0x0B), 1);
    EXPECT_EQ(cli.Run({"reset", "all"}).status, 0);
    EXPECT_EQ(cli.Sim().ResetCount(0x09), 1);
    EXPECT_EQ(cli.Run({"store"}).status, 0);
    EXPECT_EQ(cli.Sim().StoreCount(), 1);
    EXPECT_EQ(cli.Run({"autosize"}).status, 0);
    EXPECT_EQ(cli.Sim().AutoSizeCount(), 1);
}

TEST(CliCommands, AutoSizeIsRefusedByAMonitorThatCannotSize) {
    CCliRunner cli(QStringLiteral("revB"));
    const auto result = cli.Run({"autosize"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.ErrLines(),
              QStringList{"qelt32ctl: autosize: this monitor has no automatic sizing"});
    EXPECT_EQ(cli.Sim().AutoSizeCount(), 0);
}
