#include "BmpWriter.h"

namespace {

void Put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, quint32 v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

QByteArray WriteBmp(const QImage& indexed, int bitsPerPixel) {
    const int w = indexed.width();
    const int h = indexed.height();
    const int colors = 1 << bitsPerPixel;
    const int stride = ((w * bitsPerPixel + 31) / 32) * 4;
    const quint32 dataOffset = 14 + 40 + quint32(colors) * 4;
    const quint32 dataSize = quint32(stride * h);

    QByteArray out("BM");
    Put32(out, dataOffset + dataSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, quint32(w));
    Put32(out, quint32(h)); // bottom-up
    Put16(out, 1);
    Put16(out, quint32(bitsPerPixel));
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, quint32(colors));
    Put32(out, 0);
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < colors; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const uchar* pixels = indexed.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (bitsPerPixel == 8)
                row[x] = char(pixels[x]);
            else
                row[x / 2] = char(quint8(row[x / 2]) | (pixels[x] & 0x0F) << (x % 2 ? 0 : 4));
        }
        out += row;
    }
    return out;
}
