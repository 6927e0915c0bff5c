#include "platform/ProfileFormat.h"

#include <QList>
#include <QStringDecoder>

namespace {

enum class Line { Blank, Header, Entry, Bad };

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

// Quotes toggle, and a backslash takes the next character with it, as the reader has it.
bool QuotesClose(const QByteArray& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            if (++i == line.size())
                return false; // the reader would join the next line to this one
        } else if (line[i] == '"') {
            quoted = !quoted;
        }
    }
    return !quoted;
}

Line Classify(QByteArray line) {
    if (line.endsWith('\r'))
        line.chop(1);
    for (char c : line)
        if (IsControl(c))
            return Line::Bad;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(line); // decoding happens on the conversion
    if (utf8.hasError())
        return Line::Bad;
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return Line::Blank;
    if (line.startsWith('['))
        return line.endsWith(']') && line.indexOf(']') == line.size() - 1 ? Line::Header
                                                                          : Line::Bad;
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || line.left(equals).trimmed().isEmpty() || !QuotesClose(line))
        return Line::Bad;
    return Line::Entry;
}

QList<QByteArray> Lines(QByteArray text) {
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

namespace ProfileFormat {

int FirstBadLine(const QByteArray& text) {
    const QList<QByteArray> lines = Lines(text);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (Classify(lines[i]) == Line::Bad)
            return int(i + 1);
    return 0;
}

QByteArray ReadableLines(const QByteArray& text) {
    QByteArray readable;
    bool inBadSection = false;
    for (const QByteArray& line : Lines(text)) {
        const Line kind = Classify(line);
        if (kind == Line::Bad && line.trimmed().startsWith('['))
            inBadSection = true;
        else if (kind == Line::Header)
            inBadSection = false;
        if (kind != Line::Bad && !inBadSection)
            readable += line + '\n';
    }
    return readable;
}

} // namespace ProfileFormat
