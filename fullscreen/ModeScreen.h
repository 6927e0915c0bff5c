#pragma once

#include "fullscreen/ScreenPixels.h"

#include <QObject>
#include <QPointer>
#include <QScreen>

class QWidget;

// The screen the full-screen window covers. The CRT is often a second screen beside a flat
// panel: the mode opens where the user put the main window, unless a screen has been chosen
// for this monitor (by its serial number) in the mode's popup menu. While the window is on
// it, the screen is watched: removed, resized or rescaled, it is told once through Changed().
class CModeScreen : public QObject {
    Q_OBJECT
public:
    // The screen named in the profile for the monitor with this serial number, else the one
    // holding `mainWindow`, else the primary screen; the first of them that has pixels to
    // draw on. Null when none has.
    static QScreen* Choose(const QString& serial, const QWidget* mainWindow);
    // The screen chosen for a monitor in the popup menu ("" for none).
    static QString ChosenName(const QString& serial);
    static void SetChosenName(const QString& serial, const QString& name);

    // Watches `screen` from now on, as it is now; null watches nothing.
    void Watch(QScreen* screen);
    QScreen* Screen() const { return m_screen; }
    // The screen's device pixels when the watch began.
    const CScreenPixels& Pixels() const { return m_pixels; }
    // The screen is still there and as it was when the watch began.
    bool Unchanged() const;

signals:
    // The watched screen was removed or changed its size or scale (queued, once per change).
    void Changed();

private:
    void Check();

    QPointer<QScreen> m_screen;
    CScreenPixels m_pixels;
    bool m_told = false;
};
