#pragma once

#include "link/Monitor.h"

#include <QDialog>

// The white full-screen notice shown while the monitor sizes its picture: AutoSize runs
// while it is up, then it closes by itself. It needs no input.
class CAutoSizeNoticeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAutoSizeNoticeDlg(CMonitor& monitor, QWidget* parent = nullptr);
    int exec() override;

    // The two-line text in blue, its first line starting at mid-height.
    static void PaintNotice(QPainter& painter, QSize screen, const QString& text);

signals:
    // The cursor is hidden and the monitor is about to size its picture.
    void autoSizeRunning();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    // Hides the cursor for the time of the sizing, sizes, and ends the notice.
    void OnOK();

private:
    CMonitor& m_monitor;
    int m_cxScreen = 0;
    int m_cyScreen = 0;
    bool m_bStarted = false;
};

// The controller's hook for the display-change / timing-report handshake in the GUI, and
// what the frame's Auto-Sizing commands run.
class CAutoSizeNoticeRunner : public IAutoSizeNotice {
public:
    void Run(CMonitor& monitor) override;
};
