#pragma once

#include <QSize>

// The crosshatch is laid out in a logical space of 800 x 600 units on screens narrower
// than 1024 pixels and 1600 x 1200 units otherwise, stretched over the whole screen. Logical
// points map to pixels as round(W * x / L): the grid lines and the hit cells of the
// adjustment mode land on the same pixels at every screen size.
class CLogicalMapping {
public:
    explicit CLogicalMapping(QSize screen)
        : m_width(screen.width()), m_height(screen.height()),
          m_unitsX(screen.width() < 1024 ? 800 : 1600),
          m_unitsY(screen.width() < 1024 ? 600 : 1200) {}

    int UnitsX() const { return m_unitsX; }
    int UnitsY() const { return m_unitsY; }
    // Pixel column of the point `x` units from the left.
    int DeviceX(int x) const { return Scale(m_width, x, m_unitsX); }
    // Pixel row of the point `y` units down from the top.
    int DeviceY(int y) const { return Scale(m_height, y, m_unitsY); }

private:
    // Nearest integer of extent * v / units, halves away from zero.
    static int Scale(int extent, int v, int units) {
        const long long num = static_cast<long long>(extent) * v;
        const long long half = units / 2;
        return static_cast<int>(num >= 0 ? (num + half) / units : -((-num + half) / units));
    }

    int m_width, m_height;
    int m_unitsX, m_unitsY;
};
