#pragma once

#include <QImage>

// Pictures of the full-screen handles 0..32: what the handle changes, drawn as white
// strokes with a black outline on a transparent ground. `swing` (-1..1) moves the changing
// part, so a row of pictures with a swing running back and forth animates the handle.
constexpr int kHandleKinds = 33;
constexpr int kPositionHandle = 19;
QImage DrawHandle(int kind, double swing, int side = 32);
