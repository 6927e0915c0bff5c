#include "platform/PortMap.h"
#include "platform/Profile.h"

#include "TempProfile.h"

#include <gtest/gtest.h>

TEST(PortMap, DefaultsToTheFourBuiltInPortsAndRefusesOtherIndexes) {
    CPortMap map;
    EXPECT_EQ(map.Path(0), "/dev/ttyS0");
    EXPECT_EQ(map.Path(3), "/dev/ttyS3");
    EXPECT_TRUE(map.Path(-1).isEmpty());
    EXPECT_TRUE(map.Path(4).isEmpty());
}

TEST(PortMap, ListAndSinglePortLeaveUnnamedSlotsEmpty) {
    CPortMap map;
    ASSERT_TRUE(map.ParseList("/dev/ttyUSB0,,/dev/ttyS1"));
    EXPECT_EQ(map.Path(0), "/dev/ttyUSB0");
    EXPECT_TRUE(map.Path(1).isEmpty());
    EXPECT_EQ(map.Path(2), "/dev/ttyS1");
    EXPECT_TRUE(map.Path(3).isEmpty());
    EXPECT_FALSE(map.ParseList("a,b,c,d,e"));

    map.SetOnly("/dev/pts/7");
    EXPECT_EQ(map.Path(0), "/dev/pts/7");
    EXPECT_TRUE(map.Path(1).isEmpty());
}

TEST(PortMap, ProfileOverridesOnlyTheSlotsItNames) {
    CTempProfile profile;
    Profile::WriteString("Ports", "COM2", "/dev/ttyUSB0");
    CPortMap map;
    map.LoadFromProfile();
    EXPECT_EQ(map.Path(0), "/dev/ttyS0");
    EXPECT_EQ(map.Path(1), "/dev/ttyUSB0");
}

TEST(Profile, IntegersFallBackToTheDefaultWhenAbsentOrMalformed) {
    CTempProfile profile;
    EXPECT_EQ(Profile::GetInt("Settings", "com", 0), 0);
    Profile::WriteInt("Settings", "com", 2);
    EXPECT_EQ(Profile::GetInt("Settings", "com", 0), 2);
    Profile::WriteString("Settings", "screen", "abc");
    EXPECT_EQ(Profile::GetInt("Settings", "screen", 1), 1);
}
