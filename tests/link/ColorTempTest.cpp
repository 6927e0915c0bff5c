#include "link/ColorTempMath.h"
#include "platform/StringTable.h"

#include "FakeMonitor.h"
#include "LoopbackMonitor.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A controller on a simulated monitor, read as at start-up, colour tables included.
class CColorTempRig : public CLoopbackMonitor {
public:
    explicit CColorTempRig(const SimProfile& profile) : CLoopbackMonitor(profile, kPath) {
        monitor.SetTimings({.reply = 100ms, .autoSize = 0ms, .timingStatus = 0ms});
        connected = monitor.Connect() && monitor.ReadModes() && monitor.ReadColor() &&
                    monitor.ReadColorTempTable();
        sim.ClearRequestLog();
    }

    ColorTemp::Table SimColors() const {
        ColorTemp::Table values{};
        for (int i = 0; i < 7; ++i)
            values[i] = sim.Value(kColorOrder[i]);
        return values;
    }
    int ColorItemWrites() const {
        int n = 0;
        for (int item : kColorOrder)
            n += sim.SetValueCount(item);
        return n;
    }

    static inline const QString kPath = QStringLiteral("loop:colortemp");
    bool connected = false;
};

SimProfile SimModel(const char* name) {
    return *SimProfile::ByName(QString::fromLatin1(name));
}

constexpr std::uint8_t kSetValue = 0x03;
constexpr std::uint8_t kReadMemory = 0x59;

} // namespace

TEST(ColorTempRevisionB, TablesAreFoundAtEitherStartAddress) {
    for (const char* name : {"revB", "revB15"}) {
        SCOPED_TRACE(name);
        CColorTempRig rig(SimModel(name));
        ASSERT_TRUE(rig.connected);
        const SimProfile& p = rig.sim.Profile();

        ASSERT_TRUE(rig.monitor.SetColorTemp(6));
        EXPECT_EQ(rig.SimColors(), p.tableA);
        EXPECT_EQ(rig.monitor.GetColorTemp(), 6);
        ASSERT_TRUE(rig.monitor.SetColorTemp(0));
        EXPECT_EQ(rig.SimColors(), p.tableB);
        EXPECT_EQ(rig.monitor.GetColorTemp(), 0);
        EXPECT_TRUE(rig.messages.shown.empty());
    }
}

TEST(ColorTempRevisionB, MiddleStepWritesTheTruncatedMidpointAndIsFoundAgain) {
    SimProfile p = SimModel("revB");
    p.tableA[0] = 200; // rgain
    p.tableB[0] = 101;
    CColorTempRig rig(p);
    ASSERT_TRUE(rig.connected);

    ASSERT_TRUE(rig.monitor.SetColorTemp(3));
    EXPECT_EQ(rig.sim.Value(26), 150);
    int three = 3;
    EXPECT_TRUE(rig.monitor.IsColorTemp(&three));
    EXPECT_EQ(rig.monitor.GetColorTemp(), 3);
}

TEST(ColorTempRevisionC, PresetStepsSelectThePresetInsteadOfWritingColours) {
    const std::pair<int, int> stepToPreset[] = {{25, 5}, {50, 10}, {60, 13}};
    for (const auto& [step, preset] : stepToPreset) {
        SCOPED_TRACE(step);
        CColorTempRig rig(SimModel("revC"));
        ASSERT_TRUE(rig.connected);
        ASSERT_TRUE(rig.monitor.SetColorTemp(step));
        EXPECT_EQ(rig.sim.Value(Items::ColorPreset), preset);
        EXPECT_EQ(rig.monitor.Item(Items::ColorPreset).current, preset);
        EXPECT_EQ(rig.ColorItemWrites(), 0);
        // The colour group was read back: the cache shows the preset's colours.
        EXPECT_EQ(rig.monitor.Item(26).current, rig.sim.Value(26));
    }
}

TEST(ColorTempRevisionC, StepBetweenPresetsWritesTheInterpolatedColoursAsCustom) {
    CColorTempRig rig(SimModel("revC"));
    ASSERT_TRUE(rig.connected);
    ASSERT_FALSE(rig.monitor.GetColorCustom());
    const SimProfile& p = rig.sim.Profile();
    const ColorTemp::Table expected =
        ColorTemp::Interpolate(7, p.tableA, p.tableB, p.tableC, p.breakpoints,
                               ColorTemp::RelativeBreakpoints(p.breakpoints));

    ASSERT_TRUE(rig.monitor.SetColorTemp(7));
    EXPECT_EQ(rig.SimColors(), expected);
    EXPECT_TRUE(rig.monitor.GetColorCustom());
    EXPECT_EQ(rig.monitor.GetColorTemp(), 7);
    std::uint16_t calculated[7];
    rig.monitor.CalcColorTemp(7, calculated);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), calculated));
}

TEST(ColorTempRevisionC, OneChangedGainMatchesNoStep) {
    CColorTempRig rig(SimModel("revC"));
    ASSERT_TRUE(rig.connected);
    ASSERT_TRUE(rig.monitor.SetColorTemp(7));
    ASSERT_EQ(rig.monitor.GetColorTemp(), 7);

    const std::uint16_t gain = rig.monitor.Item(27).current;
    ASSERT_TRUE(rig.monitor.WriteItem(27, gain + 1));
    EXPECT_EQ(rig.monitor.GetColorTemp(), -1);
}

TEST(ColorTempRevisionC, RunningPresetGivesItsStep) {
    CColorTempRig rig(SimModel("revC"));
    ASSERT_TRUE(rig.connected);
    ASSERT_FALSE(rig.monitor.GetColorCustom());

    rig.sim.SetValue(Items::ColorPreset, 8);
    ASSERT_TRUE(rig.monitor.ReadModes());
    EXPECT_EQ(rig.monitor.GetColorTemp(), 40);
}

TEST(ColorTempRevisionC, PresetIndexBeyondTheTableGivesNoStep) {
    CTempProfile profile;
    CScriptedPort port;
    CFakeMonitor fake(port);
    for (std::uint8_t code : {0xF0, 0xF2, 0xF4, 0xF8, 0xFA})
        fake[code].maximum = 20;
    fake[0xF0].maximum = 0xFFFF; // the mode word, with the custom-colour bit clear
    fake[0xFA].value = 14;
    CMonitor monitor;
    monitor.SetSerialPort(&port);
    monitor.SetTimings({.reply = 100ms, .autoSize = 0ms, .timingStatus = 0ms});
    ASSERT_TRUE(monitor.Connect());
    ASSERT_TRUE(monitor.ReadModes());
    ASSERT_FALSE(monitor.GetColorCustom());

    EXPECT_EQ(monitor.GetColorTemp(), -1);
}

TEST(ColorTempRevisionC, ZeroBreakpointsWriteTheBaseTables) {
    SimProfile p = SimModel("revC");
    p.breakpoints.fill(0); // T5 = 0 and U13 = 0
    CColorTempRig rig(p);
    ASSERT_TRUE(rig.connected);

    ASSERT_TRUE(rig.monitor.SetColorTemp(7));
    EXPECT_EQ(rig.SimColors(), p.tableA);
    ASSERT_TRUE(rig.monitor.SetColorTemp(31));
    EXPECT_EQ(rig.SimColors(), p.tableB);
}

TEST(ColorTempReading, AReadThatNeverSucceedsStopsAfterThreeTriesWithOneMessage) {
    for (const char* name : {"revB", "revC"}) {
        SCOPED_TRACE(name);
        CColorTempRig rig(SimModel(name));
        ASSERT_TRUE(rig.connected);
        rig.sim.DropReplies(1000);

        EXPECT_FALSE(rig.monitor.ReadColorTempTable());
        EXPECT_EQ(rig.Requests(kReadMemory), 3);
        EXPECT_EQ(rig.messages.shown, std::vector<int>{Str::CommFailure});
    }
}

TEST(ColorTempReading, OneLostReplyIsRetried) {
    CColorTempRig rig(SimModel("revC"));
    ASSERT_TRUE(rig.connected);
    rig.sim.DropReplies(1);

    EXPECT_TRUE(rig.monitor.ReadColorTempTable());
    EXPECT_EQ(rig.Requests(kReadMemory), 4 * 3 + 7 + 1);
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(ColorTempSetting, StepsOffTheScaleAreRefusedWithoutTraffic) {
    CColorTempRig revC(SimModel("revC"));
    ASSERT_TRUE(revC.connected);
    EXPECT_FALSE(revC.monitor.SetColorTemp(61));
    EXPECT_FALSE(revC.monitor.SetColorTemp(-1));
    EXPECT_FALSE(revC.monitor.SelectColorTempPreset(14));
    EXPECT_FALSE(revC.monitor.IsColorTemp(nullptr));
    EXPECT_EQ(revC.Requests(kSetValue), 0);

    CColorTempRig revB(SimModel("revB"));
    ASSERT_TRUE(revB.connected);
    EXPECT_FALSE(revB.monitor.SetColorTemp(7));
    int seven = 7;
    EXPECT_FALSE(revB.monitor.IsColorTemp(&seven));
    EXPECT_EQ(revB.Requests(kSetValue), 0);
}

TEST(ColorTempSetting, AFailedWriteIsReportedAsAFailure) {
    CColorTempRig rig(SimModel("revB"));
    ASSERT_TRUE(rig.connected);
    rig.sim.PullCable();

    EXPECT_FALSE(rig.monitor.SetColorTemp(3));
    EXPECT_GE(rig.messages.Count(Str::CommFailure), 1);
}
