#include "link/Monicom.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

TEST(MonFrame, RequestFramesHaveTheMonitorsExactBytes) {
    EXPECT_EQ(MonFrame::BuildRequest({0x81, 0xF1, {}}),
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x81, 0xF1, 0x4E, 0xAA, 0xAA}));
    EXPECT_EQ(MonFrame::BuildRequest({0x82, 0x01, {0x1A}}),
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x82, 0x01, 0x1A, 0xA7, 0xAA, 0xAA}));
    EXPECT_EQ(MonFrame::BuildRequest({0x84, 0x03, {0x1A, 0x01, 0x2C}}),
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x84, 0x03, 0x1A, 0x01, 0x2C, 0x8E, 0xAA, 0xAA}));
    EXPECT_EQ(MonFrame::BuildRequest({0x81, 0x07, {}}),
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x81, 0x07, 0xB8, 0xAA, 0xAA}));
}

TEST(MonFrame, DataBytesComeFromTheCommandNotTheLengthByte) {
    // Each command carries its own number of data bytes whatever the length byte says.
    const std::pair<std::uint8_t, std::size_t> sizes[] = {
        {0x0C, 9}, {0x06, 10}, {0x59, 11}, {0x6B, 11}, {0x65, 12}, {0x5B, 13}, {0x42, 9}};
    for (const auto& [command, size] : sizes) {
        const Bytes frame = MonFrame::BuildRequest({0x81, command, {1, 2, 3, 4}});
        EXPECT_EQ(frame.size(), size) << int(command);
        EXPECT_EQ(frame[4], 0x81) << "the length byte is copied unchanged";
    }
}

TEST(MonFrame, ReplyLengthIgnoresBitSevenAndWidensTheShort5D) {
    EXPECT_EQ(MonFrame::ReplyBodyLength(0x88, 0x02), 8);
    EXPECT_EQ(MonFrame::ReplyBodyLength(0x08, 0x02), 8);
    EXPECT_EQ(MonFrame::ReplyBodyLength(0x83, 0x5D), 4);
    EXPECT_EQ(MonFrame::ReplyBodyLength(0x84, 0x5D), 4);
    EXPECT_EQ(MonFrame::ReplyBodyLength(0x83, 0x64), 3);
}

TEST(MonFrame, KnownReplyKindsAndTheirData) {
    EXPECT_EQ(MonFrame::ReplyDataCount(0x02), 7);
    EXPECT_EQ(MonFrame::ReplyDataCount(0x4E), 4);
    EXPECT_EQ(MonFrame::ReplyDataCount(0x58), 3);
    EXPECT_EQ(MonFrame::ReplyDataCount(0x6D), 1);
    EXPECT_EQ(MonFrame::ReplyDataCount(0xE1), 28);
    EXPECT_EQ(MonFrame::ReplyDataCount(0x03), -1);
    EXPECT_EQ(MonFrame::ReplyDataCount(0x00), -1);
}

TEST(MonFrame, IdentityFieldsAndBigEndianSerial) {
    Bytes data = {'C', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'v', 'o', 'r',  'k',  'a',  ' ',
                  ' ', ' ', 'T', 'R', '-', '5', '5', '1', '3', ' ', 0x00, 0x01, 0xE2, 0x40};
    const MonIdentity identity = MonFrame::UnpackIdentity(data.data());
    EXPECT_STREQ(identity.revision, "C");
    EXPECT_STREQ(identity.field2, "xxxxxxx");
    EXPECT_STREQ(identity.maker, "vorka   ");
    EXPECT_STREQ(identity.model, "TR-5513 ");
    EXPECT_EQ(identity.serial, 123456u);
}

TEST(ModeBits, ThreeWayModesChangeOnlyTheirTwoBits) {
    const std::uint16_t first = 0x0020, second = 0x0040;
    EXPECT_EQ(ModeBits::ApplyTwoBitMode(0xFFFF, 0, first, second), 0xFF9F);
    EXPECT_EQ(ModeBits::ApplyTwoBitMode(0x0020, 1, first, second), 0x0040);
    EXPECT_EQ(ModeBits::ApplyTwoBitMode(0x0040, 2, first, second), 0x0060);
    EXPECT_EQ(ModeBits::ApplyTwoBitMode(0x1234, 3, first, second), 0x1234);
}
