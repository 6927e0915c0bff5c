#include "cli/docgen/Roff.h"

#include <QRegularExpression>
#include <QStringList>

namespace Roff {

namespace {

// A dash that starts a word is a minus or an option's dash ("-5", "--json"), never a
// hyphen; `quoted` words are commands to type.
QString EscapeLine(const QString& line) {
    QString out;
    bool bold = false;
    bool dashes = false; // inside the dashes that start a word
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const bool wordStart = i == 0 || QStringLiteral(" ([|\"").contains(line[i - 1]);
        dashes = c == QLatin1Char('-') && (wordStart || dashes);
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\e");
        else if (dashes)
            out += QLatin1String("\\-");
        else if (c == QLatin1Char('`'))
            out += (bold = !bold) ? QLatin1String("\\fB") : QLatin1String("\\fR");
        else
            out += c;
    }
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QLatin1String("\\&"));
    return out;
}

} // namespace

QString Text(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines << EscapeLine(line.trimmed());
    return lines.join(QLatin1Char('\n'));
}

QString Synopsis(const QString& synopsis) {
    static const QRegularExpression token(
        QStringLiteral("([A-Z][A-Z0-9-]*)|([a-z0-9][a-z0-9-]*)|([^A-Za-z0-9]+)"));
    QString out;
    auto it = token.globalMatch(synopsis);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString word = match.captured();
        word.replace(QLatin1Char('-'), QLatin1String("\\-"));
        if (match.capturedLength(1))
            out += QStringLiteral("\\fI%1\\fR").arg(word);
        else if (match.capturedLength(2))
            out += QStringLiteral("\\fB%1\\fR").arg(word);
        else
            out += word;
    }
    return out;
}

} // namespace Roff
