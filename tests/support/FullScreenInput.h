#pragma once

// Driving the full-screen adjustment through the display's own input path (RealDisplay.h):
// where the handles are, and the windows, keys and pointer of the mode.

#include "fullscreen/AdjustMenu.h"
#include "fullscreen/CellMap.h"
#include "fullscreen/HandleKinds.h"

#include "RealDisplay.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace FullScreenReal {

constexpr QSize kScreen(1024, 768);

// The centre of the first cell of this kind in a map of the given request (revision-C
// monitor: handle layout 1, both combination switches on) on a screen of this size, or of
// the last one (out of the way of the dialogs in the top-left corner).
inline QPoint CellOf(int kind, int request = CellMap::kGeometry, bool last = false,
                     QSize screen = kScreen) {
    const CellMap::Rects rects = CellMap::ComputeRects(screen);
    CellMap::Kinds kinds{};
    CellMap::BuildKinds(kinds, request, 1, true, true);
    for (int i = 0; i < CellMap::kCount; ++i) {
        const int cell = last ? CellMap::kCount - 1 - i : i;
        if (kinds[static_cast<std::size_t>(cell)] == kind) {
            const CellMap::Rect& r = rects[static_cast<std::size_t>(cell)];
            return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
    }
    ADD_FAILURE() << "no cell of kind " << kind;
    return {};
}

class FullScreenInput {
public:
    explicit FullScreenInput(CRealDisplay& display) : m_display(display) {}

    // Visible windows whose title matches `pattern`.
    QStringList Windows(const QString& pattern) { return m_display.VisibleWindows(pattern); }
    bool FrameShown() { return Windows("Vistrel Pro").contains(m_display.Window()); }
    // The mode's window. Message boxes carry the same title, and the display lists windows
    // in no fixed order: of several, the mode's is the one that covers a screen.
    QString FullScreenWindow() {
        const QStringList ids = Windows("^Vistrel Pro$");
        if (ids.size() < 2)
            return ids.value(0);
        QString largest;
        qint64 largestArea = -1;
        for (const QString& id : ids) {
            const QRect rect = WindowRect(id);
            const qint64 area = qint64(rect.width()) * rect.height();
            if (area > largestArea) {
                largest = id;
                largestArea = area;
            }
        }
        return largest;
    }
    // A window's place and size on the screen (xdotool's geometry of it); none when unknown.
    QRect WindowRect(const QString& window) {
        QString out;
        m_display.Xdotool({"getwindowgeometry", window}, &out);
        static const QRegularExpression geometry(
            QStringLiteral("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)"),
            QRegularExpression::DotMatchesEverythingOption);
        const auto match = geometry.match(out);
        return match.hasMatch() ? QRect(match.captured(1).toInt(), match.captured(2).toInt(),
                                        match.captured(3).toInt(), match.captured(4).toInt())
                                : QRect();
    }

    // The mode's help page, in its own window.
    QString HelpWindow() { return Windows("^Vistrel Pro Help$").value(0); }
    bool CloseHelp() {
        const QString help = HelpWindow();
        return help.isEmpty() || (m_display.Focus(help) && m_display.Key("Escape") &&
                                  CRealDisplay::WaitUntil([&] { return HelpWindow().isEmpty(); }));
    }
    // The first use of the mode shows its help: so does every opening while the frame has
    // not yet saved its place in the profile (it does so when the program ends).
    bool FirstUse() {
        QFile profile(m_display.ProfileFile());
        return !profile.open(QIODevice::ReadOnly) || !profile.readAll().contains("Resolution=");
    }

    // Opens the mode with the Screen Adjustment button's key, from the main frame; the
    // help page of a first use is closed unless `keepHelp`.
    bool Open(bool keepHelp = false) {
        const bool help = FirstUse();
        if (!m_display.Focus(m_display.Window()) || !m_display.Key("alt+s") ||
            !CRealDisplay::WaitUntil([&] { return !FrameShown(); }) ||
            !CRealDisplay::WaitUntil([&] { return !FullScreenWindow().isEmpty(); }))
            return false;
        if (!help || keepHelp)
            return true;
        return CRealDisplay::WaitUntil([&] { return !HelpWindow().isEmpty(); }) && CloseHelp();
    }
    // Opens the popup menu at `at` and chooses the command `id` (AdjustMenu.h) with the keys.
    bool Menu(QPoint at, int id) {
        const int n = AdjustMenu::Position(id);
        if (n == 0)
            return false;
        if (!MoveTo(at) || !m_display.Xdotool({"click", "3"}))
            return false;
        QThread::msleep(300);
        QStringList keys;
        for (int i = 0; i < n; ++i)
            keys << "Down";
        return m_display.Key(keys.join(' ') + " Return");
    }
    bool Left() {
        return CRealDisplay::WaitUntil(
            [&] { return FrameShown() && FullScreenWindow().isEmpty(); });
    }

    bool MoveTo(QPoint p) {
        return m_display.Xdotool(
            {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    }
    // Relative to wherever the pointer is; the program puts it back at the anchor after
    // every movement it takes, so no --sync here.
    bool MoveBy(int dx, int dy) {
        return m_display.Xdotool(
            {"mousemove_relative", "--", QString::number(dx), QString::number(dy)});
    }
    bool Click() { return m_display.Xdotool({"click", "1"}); }

    // The window manager's stacking order, bottom to top, as decimal window ids.
    QStringList Stacking() {
        QProcess xprop;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display.DisplayName());
        xprop.setProcessEnvironment(env);
        xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
        xprop.waitForFinished(5000);
        QStringList ids;
        static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
        for (const QRegularExpressionMatch& m :
             hex.globalMatch(QString::fromLatin1(xprop.readAll())))
            ids << QString::number(m.captured(0).toULongLong(nullptr, 16));
        return ids;
    }

    int Stored(const QString& item) { return m_display.SimStored(item); }

private:
    CRealDisplay& m_display;
};

} // namespace FullScreenReal
