#include "app/FileHandOver.h"

#include "app/MainFrame.h"

#include <QApplication>

CFileHandOver::CFileHandOver(std::function<CMainFrame*()> frame, QObject* parent)
    : QObject(parent), m_frame(std::move(frame)) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &CFileHandOver::DeliverPending);
}

void CFileHandOver::Deliver(const QString& path) {
    m_pending << path;
    DeliverPending();
}

bool CFileHandOver::FrameCanTakeFile() const {
    const CMainFrame* frame = m_frame();
    return frame && frame->isVisible() && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

void CFileHandOver::DeliverPending() {
    // Opening a file may ask a question, and a handed-over file may arrive meanwhile; each
    // waits for the one before it.
    while (!m_pending.isEmpty()) {
        if (!FrameCanTakeFile()) {
            m_retry.start();
            return;
        }
        m_frame()->OpenHandedOverFile(m_pending.takeFirst());
    }
}
