#include "CursorWriter.h"

namespace {

void Put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void Put32(QByteArray& out, quint32 v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xFF));
}

QByteArray Chunk(const char* id, const QByteArray& payload) {
    QByteArray out(id, 4);
    Put32(out, quint32(payload.size()));
    out += payload;
    if (payload.size() % 2)
        out.append('\0');
    return out;
}

QByteArray List(const char* type, const QByteArray& chunks) {
    return Chunk("LIST", QByteArray(type, 4) + chunks);
}

} // namespace

QByteArray WriteCur(const QImage& source, QPoint hotSpot) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int andStride = ((w + 31) / 32) * 4;

    QByteArray dib;
    Put32(dib, 40);
    Put32(dib, quint32(w));
    Put32(dib, quint32(2 * h)); // colour bits and mask, stacked
    Put16(dib, 1);
    Put16(dib, 32);
    Put32(dib, 0);
    Put32(dib, quint32(w * h * 4 + andStride * h));
    Put32(dib, 0);
    Put32(dib, 0);
    Put32(dib, 0);
    Put32(dib, 0);
    for (int y = h - 1; y >= 0; --y) { // bottom-up rows
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            dib.append(char(qBlue(p)));
            dib.append(char(qGreen(p)));
            dib.append(char(qRed(p)));
            dib.append(char(qAlpha(p)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(quint8(row[x / 8]) | (0x80 >> (x % 8)));
        dib += row;
    }

    QByteArray out;
    Put16(out, 0);
    Put16(out, 2); // cursor
    Put16(out, 1);
    out.append(char(w >= 256 ? 0 : w));
    out.append(char(h >= 256 ? 0 : h));
    out.append('\0'); // no palette
    out.append('\0');
    Put16(out, quint16(hotSpot.x()));
    Put16(out, quint16(hotSpot.y()));
    Put32(out, quint32(dib.size()));
    Put32(out, 6 + 16);
    return out + dib;
}

QByteArray WriteAni(const std::vector<QByteArray>& frames, const std::vector<AniStep>& steps,
                    const QString& title) {
    QByteArray header;
    Put32(header, 36);
    Put32(header, quint32(frames.size()));
    Put32(header, quint32(steps.size()));
    for (int i = 0; i < 4; ++i)
        Put32(header, 0); // width, height, bit count, planes: taken from the frames
    Put32(header, steps.empty() ? 6 : quint32(steps.front().jiffies));
    Put32(header, 1 | 2); // frames are cursor images; a sequence follows

    QByteArray rates;
    QByteArray sequence;
    for (const AniStep& step : steps) {
        Put32(rates, quint32(step.jiffies));
        Put32(sequence, quint32(step.frame));
    }
    QByteArray icons;
    for (const QByteArray& frame : frames)
        icons += Chunk("icon", frame);
    QByteArray name = title.toLatin1();
    name.append('\0');

    const QByteArray body = QByteArray("ACON") + List("INFO", Chunk("INAM", name)) +
                            Chunk("anih", header) + Chunk("rate", rates) + Chunk("seq ", sequence) +
                            List("fram", icons);
    QByteArray out("RIFF");
    Put32(out, quint32(body.size()));
    return out + body;
}
