#include "BmpWriter.h"
#include "Clips.h"
#include "GifWriter.h"
#include "Palette.h"
#include "Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

int GifFrameCount(const QString& path) {
    QImageReader reader(path, "gif");
    int frames = 0;
    while (reader.canRead() && !reader.read().isNull())
        ++frames;
    return frames;
}

// Bits per pixel and colour-table entries as the bitmap file states them.
std::pair<int, int> BitmapHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    const QByteArray d = file.read(54);
    if (d.size() < 54)
        return {0, 0};
    return {quint8(d[28]), quint8(d[46]) | quint8(d[47]) << 8};
}

} // namespace

TEST(GeneratedAssets, GifFramesDecodeToTheColoursAndTransparencyDrawn) {
    // A frame with every colour class: transparent, primary colours, a grey and black.
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 0; x < 40; ++x) {
        image.setPixel(x, 10, qRgb(255, 0, 0));
        image.setPixel(x, 11, qRgb(0, 0, 255));
        image.setPixel(x, 12, qRgb(128, 128, 128));
        image.setPixel(x, 13, qRgb(0, 0, 0));
    }
    QImage second = image;
    second.fill(qRgb(0, 255, 0));
    QByteArray gif = WriteGif({{image, 5}, {second, 7}});
    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    const QImage first = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(first.size(), QSize(40, 30));
    EXPECT_EQ(qAlpha(first.pixel(3, 3)), 0);
    EXPECT_EQ(first.pixel(7, 10), qRgb(255, 0, 0));
    EXPECT_EQ(first.pixel(7, 11), qRgb(0, 0, 255));
    EXPECT_NEAR(qGray(first.pixel(7, 12)), 128, 8);
    EXPECT_EQ(first.pixel(7, 13), qRgb(0, 0, 0));
    EXPECT_EQ(reader.nextImageDelay(), 50); // how long the frame just read stays
    const QImage next = reader.read().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(next.pixel(39, 29), qRgb(0, 255, 0));
}

TEST(GeneratedAssets, LargeBusyFramesSurviveTheCodeTableFillingUp) {
    // Noise makes the compressor fill its table and start over many times.
    QImage noise(200, 200, QImage::Format_ARGB32);
    quint32 seed = 7;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            seed = seed * 1103515245u + 12345u;
            noise.setPixel(x, y, qRgb(seed >> 24, (seed >> 16) & 0xFF, (seed >> 8) & 0xFF));
        }
    QByteArray gif = WriteGif({{noise, 10}});
    QBuffer buffer(&gif);
    const QImage decoded =
        QImageReader(&buffer, "gif").read().convertToFormat(QImage::Format_ARGB32);
    const QImage expected =
        ToIndexed(noise, CubePalette(), 0).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(decoded.size(), expected.size());
    EXPECT_EQ(decoded, expected);
}

TEST(GeneratedAssets, BitmapsKeepTheirDepthAndColourTable) {
    const QImage splash = DrawSplash();
    const QImage eight = QImage::fromData(WriteBmp(ToIndexed(splash, CubePalette()), 8), "BMP");
    const QImage four =
        QImage::fromData(WriteBmp(ToIndexed(splash, SixteenColorPalette()), 4), "BMP");
    ASSERT_EQ(eight.size(), QSize(320, 217));
    ASSERT_EQ(four.size(), QSize(320, 217));
    EXPECT_EQ(eight.colorCount(), 256);
    EXPECT_EQ(four.colorCount(), 16);
    EXPECT_TRUE(SixteenColorPalette().contains(four.pixel(319, 216)));
}

TEST(GeneratedAssets, EverythingIsEmbeddedUnderItsResourceNumber) {
    for (const char* name : {":/bitmaps/149.bmp", ":/bitmaps/150.bmp", ":/icons/128.png",
                             ":/icons/146.png", ":/icons/149.png"})
        EXPECT_FALSE(QImage(name).isNull()) << name;
    // The start-up picture reads bits per pixel and colour count from the file itself.
    EXPECT_EQ(BitmapHeader(":/bitmaps/149.bmp"), std::make_pair(8, 256));
    EXPECT_EQ(BitmapHeader(":/bitmaps/150.bmp"), std::make_pair(4, 16));
    for (int command : ToolbarCommands())
        EXPECT_EQ(QImage(QStringLiteral(":/toolbar/%1.png").arg(command)).size(), QSize(16, 15))
            << command;
    const std::vector<int> clips = ClipNumbers();
    // Monitor, power saving, 28 marker clips and 33 drag clips.
    EXPECT_EQ(clips.size(), 2u + 28u + 33u);
    for (int clip : clips)
        EXPECT_GT(GifFrameCount(QStringLiteral(":/clips/%1.gif").arg(clip)), 1) << clip;
    // The main panel plays frames 0 to 16 of the power-saving clip.
    EXPECT_EQ(GifFrameCount(":/clips/6.gif"), 17);
    EXPECT_FALSE(QFile::exists(":/clips/26.gif")); // kind 16 never carries a marker
}
