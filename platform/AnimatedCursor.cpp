#include "platform/AnimatedCursor.h"

#include "platform/FileIo.h"

#include <QPixmap>

namespace {

// Limits far above anything a cursor needs; they keep a damaged header from making us
// allocate or loop without end.
constexpr quint32 kMaxFrames = 1024;
constexpr quint32 kMaxSteps = 4096;
constexpr int kMaxCursorSide = 256;
constexpr int kJiffyMs = 1000 / 60; // .ani rates count sixtieths of a second

quint16 U16(const QByteArray& d, qsizetype at) {
    return quint16(quint8(d[at]) | quint8(d[at + 1]) << 8);
}
quint32 U32(const QByteArray& d, qsizetype at) {
    return quint32(quint8(d[at])) | quint32(quint8(d[at + 1])) << 8 |
           quint32(quint8(d[at + 2])) << 16 | quint32(quint8(d[at + 3])) << 24;
}
qint32 I32(const QByteArray& d, qsizetype at) {
    return qint32(U32(d, at));
}

template <typename T> std::optional<T> Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

// A RIFF chunk: four-character id and its payload, located inside the file.
struct Chunk {
    QByteArray id;
    qsizetype offset; // of the payload
    qsizetype size;
};

// Splits [begin, end) into chunks; false when a chunk header or payload passes `end`.
bool SplitChunks(const QByteArray& d, qsizetype begin, qsizetype end, std::vector<Chunk>& out) {
    qsizetype at = begin;
    while (at < end) {
        if (end - at < 8)
            return false;
        const quint32 size = U32(d, at + 4);
        if (size > quint32(end - at - 8))
            return false;
        out.push_back({d.mid(at, 4), at + 8, qsizetype(size)});
        at += 8 + qsizetype(size) + (size & 1); // chunks are padded to an even length
    }
    return true;
}

// Reads one device-independent bitmap of an icon entry: colour bits then the AND mask.
std::optional<QImage> ReadDib(const QByteArray& d, qsizetype at, qsizetype size, QString* error) {
    if (size < 40)
        return Fail<QImage>(error, QStringLiteral("icon image header is cut short"));
    const quint32 headerSize = U32(d, at);
    const qint32 width = I32(d, at + 4);
    const qint32 doubleHeight = I32(d, at + 8);
    const quint16 planes = U16(d, at + 12);
    const quint16 bpp = U16(d, at + 14);
    const quint32 compression = U32(d, at + 16);
    const quint32 colorsUsed = U32(d, at + 32);
    if (headerSize < 40 || headerSize > quint32(size))
        return Fail<QImage>(error, QStringLiteral("icon image header has a wrong size"));
    if (width <= 0 || width > kMaxCursorSide || doubleHeight <= 0 ||
        doubleHeight > 2 * kMaxCursorSide || doubleHeight % 2 != 0)
        return Fail<QImage>(error, QStringLiteral("icon image has impossible dimensions"));
    if (planes != 1 || compression != 0 ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        return Fail<QImage>(error, QStringLiteral("icon image uses an unknown pixel format"));
    const int height = doubleHeight / 2;
    const quint32 maxColors = bpp <= 8 ? 1u << bpp : 0;
    const quint32 colors = bpp <= 8 ? (colorsUsed ? colorsUsed : maxColors) : 0;
    if (colors > maxColors)
        return Fail<QImage>(error, QStringLiteral("icon colour table is too long"));
    const qsizetype xorStride = ((qsizetype(width) * bpp + 31) / 32) * 4;
    const qsizetype andStride = ((qsizetype(width) + 31) / 32) * 4;
    const qsizetype paletteAt = at + headerSize;
    const qsizetype xorAt = paletteAt + qsizetype(colors) * 4;
    const qsizetype andAt = xorAt + xorStride * height;
    // A 32-bit image carries its own alpha; its mask may be left out.
    const bool hasMask = andAt + andStride * height <= at + size;
    if (andAt > at + size || (!hasMask && bpp != 32))
        return Fail<QImage>(error, QStringLiteral("icon image data is cut short"));

    QImage image(width, height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const qsizetype row = xorAt + xorStride * (height - 1 - y); // bottom-up
        const qsizetype maskRow = andAt + andStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            QRgb pixel;
            if (bpp == 32) {
                const qsizetype p = row + x * 4;
                pixel = qRgba(quint8(d[p + 2]), quint8(d[p + 1]), quint8(d[p]), quint8(d[p + 3]));
                anyAlpha = anyAlpha || qAlpha(pixel) != 0;
            } else if (bpp == 24) {
                const qsizetype p = row + x * 3;
                pixel = qRgb(quint8(d[p + 2]), quint8(d[p + 1]), quint8(d[p]));
            } else {
                const int bitAt = x * bpp;
                const quint8 byte = quint8(d[row + bitAt / 8]);
                const quint32 index = (byte >> (8 - bpp - bitAt % 8)) & ((1u << bpp) - 1);
                if (index >= colors)
                    return Fail<QImage>(error, QStringLiteral("icon pixel outside its colours"));
                const qsizetype c = paletteAt + qsizetype(index) * 4;
                pixel = qRgb(quint8(d[c + 2]), quint8(d[c + 1]), quint8(d[c]));
            }
            const bool transparent =
                hasMask && (quint8(d[maskRow + x / 8]) >> (7 - x % 8) & 1) != 0;
            if (bpp != 32 && transparent)
                pixel = 0;
            image.setPixel(x, y, pixel);
        }
    }
    // A 32-bit image without any alpha is an old-style one: the mask decides.
    if (bpp == 32 && !anyAlpha) {
        for (int y = 0; y < height; ++y) {
            const qsizetype maskRow = andAt + andStride * (height - 1 - y);
            for (int x = 0; x < width; ++x) {
                const bool transparent =
                    hasMask && (quint8(d[maskRow + x / 8]) >> (7 - x % 8) & 1) != 0;
                const QRgb p = image.pixel(x, y);
                image.setPixel(x, y, transparent ? 0 : (p | 0xFF000000u));
            }
        }
    }
    return image;
}

} // namespace

std::optional<CAnimatedCursor> CAnimatedCursor::FromCur(const QByteArray& d, QString* error) {
    if (d.size() < 6 || U16(d, 0) != 0 || (U16(d, 2) != 1 && U16(d, 2) != 2))
        return Fail<CAnimatedCursor>(error, QStringLiteral("not a cursor or icon file"));
    const bool isCursor = U16(d, 2) == 2;
    const int count = U16(d, 4);
    if (count == 0 || 6 + qsizetype(count) * 16 > d.size())
        return Fail<CAnimatedCursor>(error, QStringLiteral("cursor directory is cut short"));

    // The entry nearest to the usual 32 x 32 cursor size.
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        const int w = quint8(d[e]) ? quint8(d[e]) : 256;
        const int distance = qAbs(w - 32);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const qsizetype e = 6 + qsizetype(best) * 16;
    const quint32 bytes = U32(d, e + 8);
    const quint32 offset = U32(d, e + 12);
    if (offset > quint32(d.size()) || bytes > quint32(d.size()) - offset || bytes == 0)
        return Fail<CAnimatedCursor>(error, QStringLiteral("cursor image lies past the file end"));

    QImage image;
    static const QByteArray kPng("\x89PNG\r\n\x1a\n", 8);
    if (d.mid(offset, 8) == kPng) {
        image = QImage::fromData(d.mid(offset, bytes), "PNG");
        if (image.isNull() || image.width() > kMaxCursorSide || image.height() > kMaxCursorSide)
            return Fail<CAnimatedCursor>(error, QStringLiteral("cursor PNG image is damaged"));
        image = image.convertToFormat(QImage::Format_ARGB32);
    } else {
        std::optional<QImage> dib = ReadDib(d, offset, bytes, error);
        if (!dib)
            return std::nullopt;
        image = *dib;
    }
    QPoint hotSpot(image.width() / 2, image.height() / 2);
    if (isCursor)
        hotSpot = QPoint(U16(d, e + 4), U16(d, e + 6));
    if (hotSpot.x() >= image.width() || hotSpot.y() >= image.height())
        return Fail<CAnimatedCursor>(error, QStringLiteral("cursor hot spot lies outside it"));

    CAnimatedCursor cursor;
    cursor.m_frames.push_back({image, hotSpot});
    cursor.m_sequence = {0};
    cursor.m_stepMs = {0};
    return cursor;
}

std::optional<CAnimatedCursor> CAnimatedCursor::FromAni(const QByteArray& d, QString* error) {
    if (d.size() < 12 || d.left(4) != "RIFF" || d.mid(8, 4) != "ACON")
        return Fail<CAnimatedCursor>(error, QStringLiteral("not an animated cursor file"));
    const quint32 riffSize = U32(d, 4);
    if (riffSize < 4 || riffSize > quint32(d.size() - 8))
        return Fail<CAnimatedCursor>(error, QStringLiteral("animated cursor is cut short"));
    std::vector<Chunk> chunks;
    if (!SplitChunks(d, 12, 8 + qsizetype(riffSize), chunks))
        return Fail<CAnimatedCursor>(error, QStringLiteral("a chunk passes the file end"));

    const Chunk* header = nullptr;
    const Chunk* rate = nullptr;
    const Chunk* seq = nullptr;
    const Chunk* frames = nullptr;
    for (const Chunk& c : chunks) {
        if (c.id == "anih")
            header = &c;
        else if (c.id == "rate")
            rate = &c;
        else if (c.id == "seq ")
            seq = &c;
        else if (c.id == "LIST" && c.size >= 4 && d.mid(c.offset, 4) == "fram")
            frames = &c;
    }
    if (!header || header->size < 36 || U32(d, header->offset) != 36)
        return Fail<CAnimatedCursor>(error, QStringLiteral("animated cursor header missing"));
    const qsizetype h = header->offset;
    const quint32 frameCount = U32(d, h + 4);
    const quint32 stepCount = U32(d, h + 8);
    const quint32 defaultRate = U32(d, h + 28);
    const quint32 flags = U32(d, h + 32);
    if (frameCount == 0 || frameCount > kMaxFrames || stepCount == 0 || stepCount > kMaxSteps)
        return Fail<CAnimatedCursor>(error, QStringLiteral("impossible frame or step count"));
    if (!(flags & 1)) // frames stored as bare bitmaps are not made by any tool we know
        return Fail<CAnimatedCursor>(error, QStringLiteral("frames are not cursor images"));
    if (!frames)
        return Fail<CAnimatedCursor>(error, QStringLiteral("animated cursor has no frames"));

    CAnimatedCursor cursor;
    std::vector<Chunk> icons;
    if (!SplitChunks(d, frames->offset + 4, frames->offset + frames->size, icons))
        return Fail<CAnimatedCursor>(error, QStringLiteral("a frame passes its list"));
    for (const Chunk& icon : icons) {
        if (icon.id != "icon")
            continue;
        std::optional<CAnimatedCursor> frame = FromCur(d.mid(icon.offset, icon.size), error);
        if (!frame)
            return std::nullopt;
        cursor.m_frames.push_back(frame->m_frames.front());
    }
    if (cursor.m_frames.size() != frameCount)
        return Fail<CAnimatedCursor>(error, QStringLiteral("frame count does not match"));

    if (seq) {
        if (quint32(seq->size) != stepCount * 4)
            return Fail<CAnimatedCursor>(error, QStringLiteral("sequence length does not match"));
        for (quint32 i = 0; i < stepCount; ++i) {
            const quint32 frame = U32(d, seq->offset + i * 4);
            if (frame >= frameCount)
                return Fail<CAnimatedCursor>(error, QStringLiteral("sequence names no frame"));
            cursor.m_sequence.push_back(int(frame));
        }
    } else {
        if (stepCount > frameCount)
            return Fail<CAnimatedCursor>(error, QStringLiteral("more steps than frames"));
        for (quint32 i = 0; i < stepCount; ++i)
            cursor.m_sequence.push_back(int(i));
    }
    if (rate && quint32(rate->size) != stepCount * 4)
        return Fail<CAnimatedCursor>(error, QStringLiteral("rate length does not match"));
    for (quint32 i = 0; i < stepCount; ++i) {
        const quint32 jiffies = rate ? U32(d, rate->offset + i * 4) : defaultRate;
        // A zero rate would spin; the shortest real step is one sixtieth of a second.
        cursor.m_stepMs.push_back(int(qBound<quint32>(1, jiffies, 3600)) * kJiffyMs);
    }
    return cursor;
}

std::optional<CAnimatedCursor> CAnimatedCursor::FromFile(const QString& path, QString* error) {
    // Our largest cursor is some tens of kilobytes; a larger file is not one of ours.
    constexpr qsizetype kMaxFileSize = 256 * 1024;
    QByteArray data;
    switch (ReadWholeFile(path, kMaxFileSize, data)) {
    case FileError::None:
        break;
    case FileError::NotFound:
        return Fail<CAnimatedCursor>(error, QStringLiteral("no such file"));
    case FileError::AccessDenied:
        return Fail<CAnimatedCursor>(error, QStringLiteral("permission denied"));
    case FileError::TooLarge:
        return Fail<CAnimatedCursor>(error, QStringLiteral("file is too large for a cursor"));
    default:
        return Fail<CAnimatedCursor>(error, QStringLiteral("not a readable plain file"));
    }
    return data.startsWith("RIFF") ? FromAni(data, error) : FromCur(data, error);
}

QCursor CAnimatedCursor::Cursor(int step) const {
    const CursorFrame& frame = m_frames[size_t(m_sequence[size_t(step)])];
    return QCursor(QPixmap::fromImage(frame.image), frame.hotSpot.x(), frame.hotSpot.y());
}
