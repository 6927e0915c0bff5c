#include "MonitorFixture.h"

using Values = std::vector<std::uint16_t>;

namespace {
class ModeWordTest : public MonitorFixture {
protected:
    void StartWith(const char* revision, std::uint16_t word) {
        fake.revision = revision;
        fake[0xF0].value = word;
        Start();
    }
    std::uint16_t Word() const { return monitor.Item(Items::ModeWord).current; }
    Values Sent() const { return fake.SetsOf(0xF0); }
};
} // namespace

TEST_F(ModeWordTest, PowerSavingModes) {
    StartWith("C", 0x8001);
    EXPECT_EQ(monitor.GetPowerSaveMode(), 0);
    ASSERT_TRUE(monitor.SetPowerSaveMode(1));
    EXPECT_EQ(monitor.GetPowerSaveMode(), 1);
    ASSERT_TRUE(monitor.SetPowerSaveMode(2));
    EXPECT_EQ(Word(), 0x8061);
    EXPECT_EQ(monitor.GetPowerSaveMode(), 2) << "off wins when both bits are set";
    ASSERT_TRUE(monitor.SetPowerSaveModeFromFlags(0x0040));
    EXPECT_EQ(Word(), 0x8041);
    ASSERT_TRUE(monitor.SetPowerSaveMode(0));
    EXPECT_EQ(Sent(), (Values{0x8041, 0x8061, 0x8041, 0x8001}));
}

TEST_F(ModeWordTest, DelayAndInputSignal) {
    StartWith("C", 0);
    ASSERT_TRUE(monitor.SetMode1Delay(1));
    EXPECT_EQ(monitor.GetMode1Delay(), 1);
    ASSERT_TRUE(monitor.SetMode1Delay(5));
    EXPECT_EQ(monitor.GetMode1Delay(), 1) << "other values leave the bit but still send";
    ASSERT_TRUE(monitor.SetMode1DelayFromFlags(0));
    EXPECT_EQ(monitor.GetMode1Delay(), 0);
    ASSERT_TRUE(monitor.SetInputSignal(1));
    EXPECT_EQ(monitor.GetInputSignal(), 1);
    ASSERT_TRUE(monitor.SetInputSignal(7));
    EXPECT_EQ(monitor.GetInputSignal(), 0);
    EXPECT_EQ(Sent(), (Values{0x80, 0x80, 0x00, 0x08, 0x00}));
}

TEST_F(ModeWordTest, InputDetectionDependsOnTheRevision) {
    StartWith("C", ModeBits::DetectBnc);
    EXPECT_EQ(monitor.GetInputDetection(), 1);
    ASSERT_TRUE(monitor.SetInputDetection(2));
    EXPECT_EQ(monitor.GetInputDetection(), 2);
    ASSERT_TRUE(monitor.SetInputDetection(0));
    EXPECT_EQ(Word(), 0);
    monitor.ClosePort();

    StartWith("B", ModeBits::DetectBnc);
    EXPECT_EQ(monitor.GetInputDetection(), 0) << "revision B has no BNC priority";
    ASSERT_TRUE(monitor.SetInputDetection(1));
    EXPECT_EQ(Word(), ModeBits::DetectBnc | ModeBits::DetectManual);
    EXPECT_EQ(monitor.GetInputDetection(), 2);
    ASSERT_TRUE(monitor.SetInputDetection(2));
    EXPECT_EQ(Word(), ModeBits::DetectBnc | ModeBits::DetectManual);
}

TEST_F(ModeWordTest, BeepIsOnWhenItsBitIsClear) {
    StartWith("C", 0);
    EXPECT_TRUE(monitor.GetBeep());
    ASSERT_TRUE(monitor.SetBeep(false));
    EXPECT_EQ(Word(), ModeBits::BeepOff);
    EXPECT_FALSE(monitor.GetBeep());
}

TEST_F(ModeWordTest, MoireSwitchesNeedTheirLevelItem) {
    fake[0x8A].status = 1; // item 19: no vertical moire reduction
    StartWith("C", 0);
    ASSERT_TRUE(monitor.SetHMoireOn(true));
    ASSERT_TRUE(monitor.SetVMoireOn(true));
    ASSERT_TRUE(monitor.SetVMoireOnFromFlags(ModeBits::VMoire));
    EXPECT_EQ(Sent(), (Values{ModeBits::HMoire}));
    monitor.CommitHMoireOn(false);
    monitor.CommitVMoireOn(true);
    EXPECT_EQ(monitor.Item(30).stored, 0);
    EXPECT_TRUE(monitor.GetHMoireOn());
    ASSERT_TRUE(monitor.SetHMoireOnFromFlags(0));
    EXPECT_FALSE(monitor.GetHMoireOn());
}

TEST_F(ModeWordTest, CommitVariantsTouchOnlyTheStoredWord) {
    StartWith("C", 0);
    monitor.CommitMode1Delay(1);
    monitor.CommitHMoireOn(true);
    monitor.CommitColorCustom(true);
    EXPECT_EQ(monitor.Item(30).stored,
              ModeBits::Mode1Delay | ModeBits::HMoire | ModeBits::ColorCustom);
    EXPECT_EQ(Word(), 0);
    EXPECT_TRUE(port.Written().empty());
    EXPECT_TRUE(monitor.GetStoredColorCustom());
    EXPECT_FALSE(monitor.GetColorCustom());
}

TEST_F(ModeWordTest, CustomColourOnRevisionC) {
    StartWith("C", 0);
    ASSERT_TRUE(monitor.SetColorCustom(false));
    EXPECT_TRUE(port.Written().empty()) << "already a preset";
    ASSERT_TRUE(monitor.SetColorCustom(true));
    EXPECT_TRUE(monitor.GetColorCustom());
    ASSERT_TRUE(monitor.SetColorCustomFromFlags(0));
    EXPECT_EQ(Sent(), (Values{ModeBits::ColorCustom, 0}));
}

TEST_F(ModeWordTest, RevisionBColourIsAlwaysCustom) {
    StartWith("B", 0);
    EXPECT_TRUE(monitor.GetColorCustom());
    EXPECT_TRUE(monitor.GetStoredColorCustom());
    ASSERT_TRUE(monitor.SetColorCustom(false));
    ASSERT_TRUE(monitor.SetColorCustomFromFlags(ModeBits::ColorCustom));
    EXPECT_TRUE(port.Written().empty());
    monitor.CommitColorCustom(true);
    EXPECT_EQ(monitor.Item(30).stored, ModeBits::ColorCustom) << "committed on every revision";
}

TEST(ItemTable, CodesKeysAndNames) {
    EXPECT_EQ(Items::Info(2).code, 0x1A);
    EXPECT_STREQ(Items::Info(7).key, "trapezoi");
    EXPECT_EQ(Items::Info(10).key, nullptr);
    EXPECT_EQ(Items::FromCode(0xFA), 34);
    EXPECT_EQ(Items::FromCode(0x01), -1);
    EXPECT_EQ(Items::FromName("pinbottombala"), 12);
    EXPECT_EQ(Items::FromName("VConvBottom"), 21);
    EXPECT_EQ(Items::FromName("subcon"), 29);
    EXPECT_EQ(Items::FromName("colorpreset"), 34);
    EXPECT_EQ(Items::FromName("brightness"), -1);
    for (int item = 0; item < Items::kCount; ++item)
        EXPECT_EQ(Items::FromCode(Items::Info(item).code), item) << "codes are unique";
}
