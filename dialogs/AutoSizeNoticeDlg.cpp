#include "dialogs/AutoSizeNoticeDlg.h"

#include "platform/StringTable.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
// Should the window never be painted (hidden behind a screen locker, no compositor), the
// sizing still starts after this long, so the notice always ends.
constexpr int kUnpaintedStartMs = 1000;
} // namespace

CAutoSizeNoticeDlg::CAutoSizeNoticeDlg(CMonitor& monitor, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_monitor(monitor) {
    setObjectName(QStringLiteral("168"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Button, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    // The template's only control: an OK button nobody sees.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->hide();
}

int CAutoSizeNoticeDlg::exec() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    m_cxScreen = screen.width();
    m_cyScreen = screen.height();
    setGeometry(0, 0, m_cxScreen, m_cyScreen);
    m_bStarted = false;
    return QDialog::exec();
}

void CAutoSizeNoticeDlg::PaintNotice(QPainter& painter, QSize screen, const QString& text) {
    painter.setPen(QColor(0, 0, 255));
    const QRect lowerHalf(0, screen.height() / 2, screen.width(),
                          screen.height() - screen.height() / 2);
    painter.drawText(lowerHalf, Qt::AlignHCenter | Qt::AlignTop, text);
}

void CAutoSizeNoticeDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintNotice(painter, QSize(m_cxScreen, m_cyScreen), LoadAppString(Str::AutoSizeRunning));
    // The sizing starts once the notice is on the screen.
    if (!m_bStarted) {
        m_bStarted = true;
        QMetaObject::invokeMethod(this, &CAutoSizeNoticeDlg::OnOK, Qt::QueuedConnection);
    }
}

void CAutoSizeNoticeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(kUnpaintedStartMs, this, [this] {
        if (!m_bStarted) {
            m_bStarted = true;
            OnOK();
        }
    });
}

void CAutoSizeNoticeDlg::OnOK() {
    QApplication::setOverrideCursor(Qt::BlankCursor);
    emit autoSizeRunning();
    m_monitor.AutoSize();
    QApplication::restoreOverrideCursor();
    accept();
}

void CAutoSizeNoticeRunner::Run(CMonitor& monitor) {
    CAutoSizeNoticeDlg notice(monitor);
    notice.exec();
}
