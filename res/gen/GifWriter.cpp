#include "GifWriter.h"

#include "Palette.h"

#include <unordered_map>

namespace {

constexpr int kTransparent = 0;
constexpr int kMinCodeSize = 8;
constexpr int kMaxCodes = 4096;

void Put16(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

// Packs codes of varying width, lowest bit first, as GIF wants them.
class CBitWriter {
public:
    void Put(int code, int width) {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray Finish() {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

QByteArray Lzw(const QImage& indexed) {
    const int clear = 1 << kMinCodeSize;
    const int end = clear + 1;
    std::unordered_map<quint32, int> table;
    int next = end + 1;
    int width = kMinCodeSize + 1;
    CBitWriter out;
    out.Put(clear, width);

    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int k = row[x];
            if (prefix < 0) {
                prefix = k;
                continue;
            }
            const quint32 key = quint32(prefix) << 8 | quint32(k);
            const auto found = table.find(key);
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            out.Put(prefix, width);
            if (next < kMaxCodes) {
                table.emplace(key, next++);
                // The reader widens its codes one code later than we add entries.
                if (next > (1 << width) && width < 12)
                    ++width;
            } else {
                out.Put(clear, width);
                table.clear();
                next = end + 1;
                width = kMinCodeSize + 1;
            }
            prefix = k;
        }
    }
    if (prefix >= 0)
        out.Put(prefix, width);
    out.Put(end, width);
    return out.Finish();
}

} // namespace

QByteArray WriteGif(const std::vector<GifFrame>& frames) {
    const QList<QRgb> palette = CubePalette();
    const QSize size = frames.empty() ? QSize(1, 1) : frames.front().image.size();
    QByteArray out("GIF89a");
    Put16(out, size.width());
    Put16(out, size.height());
    out.append(char(0xF7)); // global table of 256 colours
    out.append(char(kTransparent));
    out.append('\0');
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever

    for (const GifFrame& frame : frames) {
        const QImage indexed = ToIndexed(frame.image, palette, kTransparent);
        out.append("\x21\xF9\x04", 3);
        out.append(char(2 << 2 | 1)); // clear to the ground after it; has a transparent index
        Put16(out, frame.delayCs);
        out.append(char(kTransparent));
        out.append('\0');
        out.append(char(0x2C));
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, indexed.width());
        Put16(out, indexed.height());
        out.append('\0');
        out.append(char(kMinCodeSize));
        const QByteArray data = Lzw(indexed);
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            out.append(char(block.size()));
            out += block;
        }
        out.append('\0');
    }
    out.append(char(0x3B));
    return out;
}
