#include "fullscreen/ModeScreen.h"

#include "platform/Profile.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

QString ProfileKey(const QString& serial) {
    return QStringLiteral("FullScreenOn") + serial;
}

bool Usable(const QScreen* screen) {
    return screen && CScreenPixels::Of(screen).IsUsable();
}

} // namespace

QScreen* CModeScreen::Choose(const QString& serial, const QWidget* mainWindow) {
    const QString chosen = ChosenName(serial);
    if (!chosen.isEmpty())
        for (QScreen* screen : QGuiApplication::screens())
            if (screen->name() == chosen && Usable(screen))
                return screen;
    if (mainWindow && Usable(mainWindow->screen()))
        return mainWindow->screen();
    QScreen* primary = QGuiApplication::primaryScreen();
    return Usable(primary) ? primary : nullptr;
}

QString CModeScreen::ChosenName(const QString& serial) {
    return Profile::GetString("Settings", ProfileKey(serial));
}

void CModeScreen::SetChosenName(const QString& serial, const QString& name) {
    Profile::WriteString("Settings", ProfileKey(serial), name);
}

void CModeScreen::Watch(QScreen* screen) {
    if (m_screen)
        disconnect(m_screen, nullptr, this, nullptr);
    disconnect(qGuiApp, &QGuiApplication::screenRemoved, this, nullptr);
    m_screen = screen;
    m_pixels = CScreenPixels::Of(screen);
    m_told = false;
    if (!screen)
        return;
    // Queued: a screen is removed while it is being taken apart.
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &CModeScreen::Check,
            Qt::QueuedConnection);
    connect(screen, &QScreen::geometryChanged, this, &CModeScreen::Check, Qt::QueuedConnection);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &CModeScreen::Check,
            Qt::QueuedConnection);
    connect(screen, &QScreen::physicalDotsPerInchChanged, this, &CModeScreen::Check,
            Qt::QueuedConnection);
}

bool CModeScreen::Unchanged() const {
    return m_screen && QGuiApplication::screens().contains(m_screen.data()) &&
           CScreenPixels::Of(m_screen) == m_pixels;
}

void CModeScreen::Check() {
    if (m_told || Unchanged() || (!m_screen && !m_pixels.IsUsable()))
        return;
    m_told = true;
    emit Changed();
}
