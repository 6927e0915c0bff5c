#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The frame's remembered place on the screen: profile "Settings"/"Resolution" holds
// "%04d %04d %04d %04d" — screen width, screen height, left, top of the restored window —
// and "Settings"/"Status" the show command (1 normal, 2 minimised, ...).
namespace WindowPlacement {

enum class ShowState { Normal, Minimized };

constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowDefault = 5; // used when "Status" is absent

QString FormatResolution(QSize screen, QPoint topLeft);
// The stored top-left corner, or nothing when the text is empty, malformed or was written
// on a screen of another size.
std::optional<QPoint> ParseResolution(const QString& text, QSize screen);

// Where a frame of `size` remembered at `topLeft` is shown: where it was while the screens
// show its whole title bar (its top `titleBar` rows), else moved only as far as it takes to
// bring the title bar onto the screen that shows most of the frame, so that a place at the
// very edge cannot leave one pixel to grab; nothing when no screen shows any of it.
std::optional<QPoint> PlaceOnScreens(QPoint topLeft, QSize size, int titleBar,
                                     const QList<QRect>& screens);

// How a stored show command shows the frame; nothing for a value that is no show command
// or would hide the only window of the program.
std::optional<ShowState> ShowStateFromStatus(int status);
int StatusFromState(ShowState state);

} // namespace WindowPlacement
