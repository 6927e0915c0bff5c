#include "platform/AnimatedCursor.h"

#include "CursorWriter.h"
#include "HandleArt.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

void Poke32(QByteArray& d, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        d[at + i] = char((v >> (8 * i)) & 0xFF);
}

qsizetype ChunkAt(const QByteArray& d, const char* id) {
    return d.indexOf(QByteArray(id, 4));
}

// Three distinct frames, shown in the order 0 1 2 1 with their own times.
QByteArray SampleAni() {
    std::vector<QByteArray> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(WriteCur(DrawHandle(0, -1.0 + i), QPoint(16, 16)));
    return WriteAni(frames, {{0, 12}, {1, 6}, {2, 12}, {1, 6}}, "test");
}

// A classic monochrome cursor: colour bits and AND mask, 1 bit per pixel, two colours.
QByteArray MonochromeCur() {
    QByteArray dib;
    QBuffer out(&dib);
    out.open(QIODevice::WriteOnly);
    auto put32 = [&out](quint32 v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&out](quint16 v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    put32(40), put32(32), put32(64), put16(1), put16(1);
    for (int i = 0; i < 6; ++i)
        put32(0);
    put32(0x00000000), put32(0x00FFFFFF); // black, white
    // Colour rows (bottom-up): the lowest row white, the rest black.
    for (int y = 31; y >= 0; --y)
        put32(y == 31 ? 0xFFFFFFFF : 0);
    // Mask rows: the left half of every row transparent.
    for (int y = 31; y >= 0; --y)
        put32(0x0000FFFF);
    QByteArray file;
    QBuffer header(&file);
    header.open(QIODevice::WriteOnly);
    const quint16 dir[3] = {0, 2, 1};
    header.write(reinterpret_cast<const char*>(dir), 6);
    const char entry[4] = {32, 32, 2, 0};
    header.write(entry, 4);
    const quint16 hot[2] = {3, 5};
    header.write(reinterpret_cast<const char*>(hot), 4);
    const quint32 place[2] = {quint32(dib.size()), 22};
    header.write(reinterpret_cast<const char*>(place), 8);
    return file + dib;
}

} // namespace

TEST(CursorFile, StaticCursorRoundTripKeepsPixelsAlphaAndHotSpot) {
    const QImage picture = DrawHandle(19, 0);
    std::optional<CAnimatedCursor> cursor =
        CAnimatedCursor::FromCur(WriteCur(picture, QPoint(16, 16)), nullptr);
    ASSERT_TRUE(cursor);
    EXPECT_FALSE(cursor->IsAnimated());
    ASSERT_EQ(cursor->FrameCount(), 1);
    EXPECT_EQ(cursor->Frame(0).hotSpot, QPoint(16, 16));
    EXPECT_EQ(cursor->Frame(0).image, picture.convertToFormat(QImage::Format_ARGB32));
}

TEST(CursorFile, AnimatedCursorRoundTripKeepsFramesSequenceAndRates) {
    std::optional<CAnimatedCursor> cursor = CAnimatedCursor::FromAni(SampleAni(), nullptr);
    ASSERT_TRUE(cursor);
    EXPECT_TRUE(cursor->IsAnimated());
    ASSERT_EQ(cursor->FrameCount(), 3);
    ASSERT_EQ(cursor->StepCount(), 4);
    EXPECT_EQ(cursor->FrameOfStep(2), 2);
    EXPECT_EQ(cursor->FrameOfStep(3), 1);
    EXPECT_EQ(cursor->StepMilliseconds(0), 12 * 16);
    EXPECT_EQ(cursor->StepMilliseconds(1), 6 * 16);
    EXPECT_EQ(cursor->Frame(2).image, DrawHandle(0, 1.0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_NE(cursor->Frame(0).image, cursor->Frame(2).image);
}

TEST(CursorFile, MonochromeCursorUsesItsMaskAndColourTable) {
    std::optional<CAnimatedCursor> cursor = CAnimatedCursor::FromCur(MonochromeCur(), nullptr);
    ASSERT_TRUE(cursor);
    const QImage& image = cursor->Frame(0).image;
    EXPECT_EQ(cursor->Frame(0).hotSpot, QPoint(3, 5));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);      // masked
    EXPECT_EQ(image.pixel(20, 0), qRgb(0, 0, 0)); // opaque black
    EXPECT_EQ(image.pixel(20, 31), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(image.pixel(5, 31)), 0);
}

TEST(CursorFile, AnimationWithoutSequenceOrRatesUsesFramesInOrderAtTheHeaderRate) {
    QByteArray ani = SampleAni();
    // Rename the optional chunks so the reader skips them, and make the steps the frames.
    ani.replace(ChunkAt(ani, "rate"), 4, "xrat");
    ani.replace(ChunkAt(ani, "seq "), 4, "xseq");
    const qsizetype header = ChunkAt(ani, "anih") + 8;
    Poke32(ani, header + 8, 3);
    std::optional<CAnimatedCursor> cursor = CAnimatedCursor::FromAni(ani, nullptr);
    ASSERT_TRUE(cursor);
    ASSERT_EQ(cursor->StepCount(), 3);
    EXPECT_EQ(cursor->FrameOfStep(2), 2);
    EXPECT_EQ(cursor->StepMilliseconds(1), 12 * 16); // the header's rate is the first step's
}

TEST(CursorFile, EveryTruncationIsRefused) {
    const QByteArray cur = WriteCur(DrawHandle(5, 0), QPoint(1, 2));
    for (qsizetype n = 0; n < cur.size(); ++n)
        ASSERT_FALSE(CAnimatedCursor::FromCur(cur.left(n), nullptr)) << n;
    const QByteArray ani = SampleAni();
    for (qsizetype n = 0; n < ani.size(); n += 7)
        ASSERT_FALSE(CAnimatedCursor::FromAni(ani.left(n), nullptr)) << n;
}

TEST(CursorFile, DamagedHeadersAndChunksAreRefusedWithAReason) {
    const QByteArray good = SampleAni();
    const qsizetype header = ChunkAt(good, "anih") + 8;
    struct Damage {
        const char* what;
        std::function<void(QByteArray&)> apply;
    };
    const std::vector<Damage> damages = {
        {"more frames than stored", [&](QByteArray& d) { Poke32(d, header + 4, 4); }},
        {"no frames", [&](QByteArray& d) { Poke32(d, header + 4, 0); }},
        {"absurd step count", [&](QByteArray& d) { Poke32(d, header + 8, 0x7FFFFFFF); }},
        {"frames not icons", [&](QByteArray& d) { Poke32(d, header + 32, 2); }},
        {"chunk past the end", [&](QByteArray& d) { Poke32(d, ChunkAt(d, "rate") + 4, 1 << 20); }},
        {"sequence names no frame", [&](QByteArray& d) { Poke32(d, ChunkAt(d, "seq ") + 8, 3); }},
        {"rate of wrong length", [&](QByteArray& d) { Poke32(d, ChunkAt(d, "rate") + 4, 12); }},
        {"icon image past its chunk",
         [&](QByteArray& d) { Poke32(d, ChunkAt(d, "icon") + 8 + 14, 0xFFFF0000); }},
        {"huge bitmap", [&](QByteArray& d) { Poke32(d, ChunkAt(d, "icon") + 8 + 22 + 4, 40000); }},
        {"RIFF size past the end", [&](QByteArray& d) { Poke32(d, 4, quint32(d.size())); }},
        {"no header", [&](QByteArray& d) { d.replace(ChunkAt(d, "anih"), 4, "xxxx"); }},
    };
    for (const Damage& damage : damages) {
        QByteArray data = good;
        damage.apply(data);
        QString error;
        EXPECT_FALSE(CAnimatedCursor::FromAni(data, &error)) << damage.what;
        EXPECT_FALSE(error.isEmpty()) << damage.what;
    }
}

TEST(CursorFile, RandomlyDamagedFilesNeverCrashTheReader) {
    const QByteArray good = SampleAni();
    QRandomGenerator random(1234);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = good;
        const int flips = 1 + random.bounded(8);
        for (int i = 0; i < flips; ++i)
            data[random.bounded(int(data.size()))] = char(random.bounded(256));
        refused += !CAnimatedCursor::FromAni(data, nullptr);
    }
    // Most damage lands in pixels and passes; damage to structure is refused.
    EXPECT_GT(refused, 0);
}
