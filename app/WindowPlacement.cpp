#include "app/WindowPlacement.h"

#include <QRegion>

#include <algorithm>

namespace WindowPlacement {

namespace {

// The decimal number that starts at `offset`, read as the C library's atoi reads it
// (leading blanks, a sign, digits); nothing when no digit follows.
std::optional<int> NumberAt(const QString& text, qsizetype offset) {
    qsizetype i = offset;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    const qsizetype digitsFrom = i;
    for (; i < text.size() && text[i].isDigit() && i - digitsFrom < 9; ++i)
        value = value * 10 + text[i].digitValue();
    if (i == digitsFrom)
        return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

} // namespace

std::optional<QPoint> PlaceOnScreens(QPoint topLeft, QSize size, int titleBar,
                                     const QList<QRect>& screens) {
    const QRect frame(topLeft, size);
    QRegion covered;
    for (const QRect& screen : screens)
        covered += screen;
    if (QRegion(QRect(topLeft, QSize(size.width(), titleBar))).subtracted(covered).isEmpty())
        return topLeft; // the title bar is shown whole, across screens or on one
    const QRect* best = nullptr;
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(frame);
        const qint64 area = qint64(shown.width()) * shown.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    if (!best)
        return std::nullopt;
    // The left edge wins where the frame is wider than the screen, the top where the title
    // bar is taller: the system menu and the title stay reachable.
    const int x = std::max(std::min(topLeft.x(), best->right() + 1 - size.width()), best->left());
    const int y = std::max(std::min(topLeft.y(), best->bottom() + 1 - titleBar), best->top());
    return QPoint(x, y);
}

QString FormatResolution(QSize screen, QPoint topLeft) {
    return QString::asprintf("%04d %04d %04d %04d", screen.width(), screen.height(), topLeft.x(),
                             topLeft.y());
}

std::optional<QPoint> ParseResolution(const QString& text, QSize screen) {
    const auto width = NumberAt(text, 0);
    const auto height = NumberAt(text, 5);
    const auto left = NumberAt(text, 10);
    const auto top = NumberAt(text, 15);
    if (!width || !height || !left || !top)
        return std::nullopt;
    if (*width != screen.width() || *height != screen.height())
        return std::nullopt;
    return QPoint(*left, *top);
}

std::optional<ShowState> ShowStateFromStatus(int status) {
    switch (status) {
    case 2:  // minimised
    case 6:  // minimise
    case 7:  // minimised, not active
    case 11: // forced minimise
        return ShowState::Minimized;
    case 1:
    case 3: // maximised: the frame has no maximise box and a fixed size
    case 4:
    case 5:
    case 8:
    case 9:
    case 10:
        return ShowState::Normal;
    default: // 0 would hide the program's only window
        return std::nullopt;
    }
}

int StatusFromState(ShowState state) {
    return state == ShowState::Minimized ? kShowMinimized : kShowNormal;
}

} // namespace WindowPlacement
