#include "dialogs/SplashWnd.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

bool g_bSplashEnabled = true;
CStartupSplash* g_pStartupSplash = nullptr;

namespace {

// The bits per pixel that a bitmap file's header declares; 0 when it is too short.
int BitsPerPixel(const QByteArray& bmp) {
    constexpr int kBitCountOffset = 14 + 14; // file header, then the info header's field
    if (bmp.size() < kBitCountOffset + 2)
        return 0;
    return static_cast<unsigned char>(bmp[kBitCountOffset]) |
           static_cast<unsigned char>(bmp[kBitCountOffset + 1]) << 8;
}

} // namespace

int SplashBitmapForDepth(int bitsPerPixel) {
    return bitsPerPixel == 4 ? 150 : 149;
}

int ColorTableSize(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

CStartupSplash::CStartupSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    g_pStartupSplash = this;
}

CStartupSplash::~CStartupSplash() {
    if (g_pStartupSplash == this)
        g_pStartupSplash = nullptr;
}

bool CStartupSplash::Create() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_nBitmap = SplashBitmapForDepth(screen ? screen->depth() : 24);
    QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(m_nBitmap));
    const QByteArray bmp = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    m_image = QImage::fromData(bmp, "BMP");
    if (m_image.isNull())
        return false;
    m_nColors = ColorTableSize(BitsPerPixel(bmp));
    // The colour table of an indexed picture; a picture without one is drawn as it is.
    m_palette = m_image.colorTable().size() == m_nColors ? m_image.colorTable() : QList<QRgb>();

    setFixedSize(m_image.size());
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    m_nTimer = startTimer(kShowMs);
    show();
    repaint();
    grabMouse();
    return true;
}

void CStartupSplash::HideSplashScreen() {
    if (m_nTimer)
        killTimer(m_nTimer);
    m_nTimer = 0;
    releaseMouse();
    hide();
    if (g_pStartupSplash == this)
        g_pStartupSplash = nullptr;
    if (QWidget* owner = parentWidget(); owner && owner->isVisible())
        owner->repaint();
    deleteLater();
}

void CStartupSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void CStartupSplash::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_nTimer)
        HideSplashScreen();
}

void EnableStartupSplash(bool enable) {
    g_bSplashEnabled = enable;
}

void ShowStartupSplash(QWidget* parent) {
    if (!g_bSplashEnabled || g_pStartupSplash)
        return;
    auto* splash = new CStartupSplash(parent);
    if (!splash->Create())
        delete splash;
}

bool FilterSplashMessage(QEvent* event) {
    if (!g_pStartupSplash)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claim the key so that no shortcut fires; its key press then closes the picture.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        g_pStartupSplash->HideSplashScreen();
        return true;
    default:
        return false;
    }
}

bool CSplashMessageFilter::eventFilter(QObject* watched, QEvent* event) {
    if (FilterSplashMessage(event))
        return true;
    return QObject::eventFilter(watched, event);
}
