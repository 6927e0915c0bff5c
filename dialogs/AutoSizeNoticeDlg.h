#pragma once

#include "link/Monitor.h"

#include <QDialog>

// The white full-screen notice shown while the monitor sizes its picture: AutoSize runs
// while it is up, then it closes by itself.
class CAutoSizeNoticeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAutoSizeNoticeDlg(CMonitor& monitor, QWidget* parent = nullptr);
    int exec() override;

private:
    CMonitor& m_monitor;
};

// The controller's hook for the display-change / timing-report handshake in the GUI.
class CAutoSizeNoticeRunner : public IAutoSizeNotice {
public:
    void Run(CMonitor& monitor) override;
};
