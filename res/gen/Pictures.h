#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <functional>

// The program's still pictures: start-up picture, icons and toolbar buttons.

// A monitor seen from the front in `box`; `screen` paints the picture tube's face.
void DrawMonitor(QPainter& p, const QRectF& box,
                 const std::function<void(QPainter&, const QRectF&)>& screen);
// A white crosshatch of `columns` x `rows` cells over `face`.
void DrawCrosshatch(QPainter& p, const QRectF& face, int columns, int rows, const QColor& color);

// Start-up picture, 320 x 217, full colour (quantised by the caller).
QImage DrawSplash();
// The application icon's monitor in `box` (the icon itself: 1, 2, 30, 28 of 32 x 32).
void PaintAppIcon(QPainter& p, const QRectF& box);
// Application icon (resource 128).
QImage DrawAppIcon(int side);
// Icons 146..149 beside the vertical-linearity sliders: line spacing before and after.
QImage DrawLinearityIcon(int id);
// Toolbar button of a command, 16 x 15; a null image for a command without one.
QImage DrawToolbarButton(int commandId);
// The commands that have a toolbar button, in toolbar order.
const std::vector<int>& ToolbarCommands();
