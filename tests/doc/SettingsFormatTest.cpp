#include "doc/SettingsFormat.h"

#include <gtest/gtest.h>

namespace {

using namespace SettingsFormat;

std::array<std::uint16_t, kValueCount> Ramp() {
    std::array<std::uint16_t, kValueCount> values{};
    for (int i = 0; i < kValueCount; ++i)
        values[i] = std::uint16_t(0x0100 * i + i);
    return values;
}

// A binary file with `count` in its header and `stored` values after it.
QByteArray Binary(std::uint32_t count, int stored, bool wideCount = false) {
    QByteArray out = EncodeBinary(291, 68, 85, Ramp()).left(10);
    if (wideCount) {
        out.append("\xFF\xFF", 2);
        for (int shift = 0; shift < 32; shift += 8)
            out.append(char(count >> shift & 0xFF));
    } else {
        out.append(char(count & 0xFF)).append(char(count >> 8 & 0xFF));
    }
    for (int i = 0; i < stored; ++i)
        out.append(char(i)).append(char(0x10));
    return out;
}

TEST(SettingsFormat, BinaryFileIsEightyTwoLittleEndianBytes) {
    const QByteArray bytes = EncodeBinary(291, 68, 85, Ramp());
    ASSERT_EQ(bytes.size(), 82);
    EXPECT_EQ(bytes.left(12).toHex(' '), "01 00 23 01 00 00 44 00 55 00 23 00");
    EXPECT_EQ(bytes.mid(12, 4).toHex(' '), "00 00 01 01");
    EXPECT_EQ(bytes.right(2).toHex(' '), "22 22");
}

TEST(SettingsFormat, BinaryRoundTrip) {
    const auto decoded = Decode(EncodeBinary(0xFEDCBA98, 31, 60, Ramp()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->form, Form::Binary);
    EXPECT_TRUE(decoded->hasSerial);
    EXPECT_EQ(decoded->serial, 0xFEDCBA98u);
    EXPECT_EQ(decoded->fh, 31);
    EXPECT_EQ(decoded->fv, 60);
    for (int i = 0; i < kValueCount; ++i)
        EXPECT_EQ(decoded->values[i], Ramp()[i]) << i;
}

TEST(SettingsFormat, DamagedBinaryFilesAreRefused) {
    const QByteArray whole = EncodeBinary(291, 68, 85, Ramp());
    for (int size : {0, 1, 2, 5, 11, 12, 13, 80, 81})
        EXPECT_FALSE(Decode(whole.left(size))) << size;
    // Counts that promise more than the file holds, in either width.
    EXPECT_FALSE(Decode(Binary(36, 35)));
    EXPECT_FALSE(Decode(Binary(0xFFFFFFFF, 35, true)));
    EXPECT_FALSE(Decode(Binary(40, 0, true).left(13)));
}

TEST(SettingsFormat, CountsOtherThanThirtyFive) {
    // Fewer values: those present are kept, the rest stay absent.
    const auto shortFile = Decode(Binary(3, 3));
    ASSERT_TRUE(shortFile);
    EXPECT_EQ(shortFile->values[2], 0x1002);
    EXPECT_FALSE(shortFile->values[3]);
    EXPECT_FALSE(shortFile->values[30]);

    const auto empty = Decode(Binary(0, 0));
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->values[0]);

    // More values, counted in 32 bits: the first 35 are the items.
    const auto wide = Decode(Binary(40, 40, true));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->values[34], 0x1022);
}

TEST(SettingsFormat, TextFormReadsKeysAndDefaults) {
    const auto decoded = Decode("[data]\nserial=291\nfh=68\nfv=85\nflag=8960\nhsize=120\n"
                                "tilt=7\nbright=33\n[flag]\nscreen=1\ncolor=0\n");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->form, Form::Text);
    EXPECT_TRUE(decoded->hasSerial);
    EXPECT_EQ(decoded->serial, 291u);
    EXPECT_EQ(decoded->fh, 68);
    EXPECT_EQ(decoded->fv, 85);
    EXPECT_EQ(decoded->values[30], 8960);
    EXPECT_EQ(decoded->values[2], 120);
    EXPECT_EQ(decoded->values[22], 7);
    EXPECT_EQ(decoded->values[0], 33);
    EXPECT_EQ(decoded->values[3], 0);  // a missing key reads as 0
    EXPECT_FALSE(decoded->values[10]); // no key at all in this form
    EXPECT_FALSE(decoded->values[32]);
    EXPECT_TRUE(decoded->textScreen);
    EXPECT_FALSE(decoded->textColor);
}

TEST(SettingsFormat, TextSerialIsComparedAsThirtyTwoBits) {
    EXPECT_EQ(Decode("[data]\nserial=3000000000\n")->serial, 3000000000u);
    EXPECT_EQ(Decode("[data]\nserial=-1294967296\n")->serial, 3000000000u);
    EXPECT_EQ(Decode("[data]\nserial=-1\n")->serial, 0xFFFFFFFFu);
    for (const char* noSerial : {"[data]\nfh=68\n", "[data]\nserial=\n", "[data]\nserial=abc\n",
                                 "[data]\nserial=-\n", "serial=291\n[data]\n"})
        EXPECT_FALSE(Decode(noSerial)->hasSerial) << noSerial;
}

TEST(SettingsFormat, GarbageWithoutADataSectionIsNoSettingsFile) {
    EXPECT_FALSE(Decode(QByteArray("\x00\x01\xFF\xFE garbage\0[data", 18)));
    EXPECT_FALSE(Decode("[flag]\nscreen=1\n"));
    EXPECT_FALSE(Decode(QByteArray(kMaxFileSize + 1, 'x')));
    // An empty "data" section is still the text form (of no monitor).
    const auto empty = Decode("[Data]\n");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->form, Form::Text);
    EXPECT_FALSE(empty->hasSerial);
}

} // namespace
