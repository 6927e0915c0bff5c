#include "cli/FrameTrace.h"

#include <QDateTime>

#include <cstdio>

namespace FrameTrace {

QString FormatLine(std::chrono::system_clock::time_point time, bool sent, const std::uint8_t* bytes,
                   std::size_t count) {
    const qint64 ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    QString line = QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("HH:mm:ss.zzz"));
    line += sent ? QLatin1String(" send") : QLatin1String(" recv");
    for (std::size_t i = 0; i < count; ++i)
        line += QStringLiteral(" %1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    return line;
}

CMonicom::TraceSink StderrSink() {
    return [](bool sent, const std::uint8_t* bytes, std::size_t count) {
        const QString line = FormatLine(std::chrono::system_clock::now(), sent, bytes, count);
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    };
}

} // namespace FrameTrace
