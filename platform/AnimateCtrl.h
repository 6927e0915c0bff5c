#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QMovie;

// A small control that plays one of the program's animation clips (":/clips/<number>.gif"),
// centred in its rectangle over whatever lies behind it. Frames are counted from 0.
class CAnimateCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CAnimateCtrl(QWidget* parent = nullptr);
    ~CAnimateCtrl() override;

    // With auto-play a clip starts playing, looping, as soon as it is opened.
    void SetAutoPlay(bool autoPlay) { m_bAutoPlay = autoPlay; }
    // Frames drawn one frame pixel per screen pixel, whatever the scale factor (the
    // full-screen patterns' marks), rather than scaled like the rest of the window.
    void SetDevicePixels(bool devicePixels) { m_bDevicePixels = devicePixels; }

    // Opens a clip and shows its first frame; false (and nothing open) when there is none.
    bool Open(int clipNumber);
    // Plays frames `from`..`to` (-1: the last), `repeat` times (-1: for ever), then stays
    // on frame `to`. False when nothing is open or the frames are out of range.
    bool Play(int from = 0, int to = -1, int repeat = -1);
    // Shows one frame without playing.
    bool Seek(int frame);
    void Stop();
    // Closes the clip: nothing is shown.
    void Close();

    bool IsOpen() const { return m_movie != nullptr; }
    int ClipNumber() const { return m_movie ? m_clip : 0; } // the clip open, 0 when none
    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const;
    int CurrentFrame() const { return m_frame; }

signals:
    // A play with a finite repeat count has shown its last frame.
    void Finished();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowFrame(int frame);
    void Tick();

    QMovie* m_movie = nullptr;
    QPixmap m_pixmap;
    QTimer m_timer;
    bool m_bAutoPlay = false;
    bool m_bDevicePixels = false;
    int m_clip = 0;
    int m_frame = 0;
    int m_from = 0;
    int m_to = 0;
    int m_repeatsLeft = 0; // -1: for ever
};
