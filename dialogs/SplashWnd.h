#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QWidget>

// The start-up picture: shown when the main frame is activated for the first time, gone
// after 1200 ms or at the first key or mouse click, which goes no further. Never more than
// one at a time.
class CStartupSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 1200;

    explicit CStartupSplash(QWidget* parent);
    ~CStartupSplash() override;

    // Loads the picture that suits the screen, shows the window centred and takes the
    // mouse. False when the picture cannot be loaded (no splash then).
    bool Create();
    // Closes the picture: the timer stops, the window goes, the main window is repainted,
    // the mouse is released and the object deletes itself.
    void HideSplashScreen();

    int BitmapId() const { return m_nBitmap; }
    int Colors() const { return m_nColors; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QImage m_image;
    int m_nBitmap = 0;
    int m_nColors = 0;     // colour-table entries of the picture
    QList<QRgb> m_palette; // its colour table; empty when it has none
    int m_nTimer = 0;
};

extern bool g_bSplashEnabled;
extern CStartupSplash* g_pStartupSplash;

// Whether the picture is shown at all (the command line may turn it off).
void EnableStartupSplash(bool enable);
// Called by the main frame on its first activation.
void ShowStartupSplash(QWidget* parent);
// Closes the picture on a key or mouse-button press while it is up; true when the event
// was consumed.
bool FilterSplashMessage(QEvent* event);

// Picture 150 (16 colours) for a 4-bit screen, 149 (256 colours) for every other depth.
int SplashBitmapForDepth(int bitsPerPixel);
// Colour-table entries for a picture's bits per pixel: 2, 16, 256, or 0 for direct colour.
int ColorTableSize(int bitsPerPixel);

// Offers every event of the application to FilterSplashMessage before anyone else sees
// it; start-up installs one on the application.
class CSplashMessageFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
