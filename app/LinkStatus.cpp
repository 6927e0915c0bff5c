#include "app/LinkStatus.h"

#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

namespace {
// Nested dialogs are few; the bound only keeps a widget that refuses to close from
// holding this loop.
constexpr int kMaxModalWindows = 16;
} // namespace

CLinkStatus::CLinkStatus(CMonitor& monitor, QLabel* pane, QWidget* panel,
                         std::function<void()> refresh, QObject* parent)
    : QObject(parent), m_monitor(monitor), m_pane(pane), m_panel(panel),
      m_refresh(std::move(refresh)), m_reconnector(monitor), m_previous(UserMessages()) {
    SetUserMessages(this);
    // Queued: the windows change between exchanges with the monitor, never inside one.
    connect(&m_monitor, &CMonicom::connectionChanged, this, &CLinkStatus::OnConnectionChanged,
            Qt::QueuedConnection);
    connect(&m_reconnector, &CReconnector::reconnected, this, &CLinkStatus::OnConnectionChanged);
    m_reconnector.SetOtherMonitorHandler([](std::uint32_t serial) {
        return UserMessages().Show(Str::OtherMonitor, MsgButtons::YesNoCancel,
                                   QString::number(serial)) == MsgResult::Yes;
    });
    m_reconnector.SetOtherModelHandler(
        [](const QString& model) { UserMessages().Show(Str::OtherModel, MsgButtons::Ok, model); });
    if (m_pane)
        m_pane->setVisible(false);
}

CLinkStatus::~CLinkStatus() {
    if (&UserMessages() == this)
        SetUserMessages(&m_previous);
}

bool CLinkStatus::MonitorAnswers() const {
    return m_monitor.IsConnected() && !m_reconnector.IsProbing();
}

void CLinkStatus::OnConnectionChanged() {
    // A probe behind the lost link is connected to a monitor it has not taken yet, and may
    // ask the user about it meanwhile: only its outcome counts (reconnected, or still lost).
    if (m_reconnector.IsProbing())
        return;
    // The state may have changed again since this was queued: the present one counts.
    const bool lost = !m_monitor.IsConnected() && !m_monitor.LinkLostReason().isEmpty();
    if (lost && !m_bLost)
        OnLost();
    else if (!lost && m_bLost && m_monitor.IsConnected())
        OnBack();
}

void CLinkStatus::OnLost() {
    m_bLost = true;
    // The user is told of the loss first, then of what answers behind the link.
    m_reconnector.Hold(true);
    if (m_pane) {
        m_pane->setText(LoadAppString(Str::Disconnected));
        m_pane->setToolTip(m_monitor.LinkLostReason());
        m_pane->setVisible(true);
    }
    if (m_panel)
        m_panel->setEnabled(false);
    // The full-screen mode and the dialogs end as Cancel ends them; what they would put
    // back cannot reach the monitor, so the cache keeps what the monitor last held.
    if (m_adjustWnd && m_adjustWnd->IsActive())
        m_adjustWnd->OnCancel();
    for (int i = 0; i < kMaxModalWindows; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            modal->hide();
    }
    if (m_refresh)
        m_refresh();
    m_previous.Show(Str::LinkLost, MsgButtons::Ok, m_monitor.LinkLostReason());
    m_reconnector.Hold(false);
}

void CLinkStatus::OnBack() {
    m_bLost = false;
    if (m_pane)
        m_pane->setVisible(false);
    if (m_panel)
        m_panel->setEnabled(true);
    if (m_refresh)
        m_refresh();
    emit prompt(LoadAppString(Str::LinkBack));
}

MsgResult CLinkStatus::Show(int stringId, MsgButtons buttons, const QString& arg) {
    const bool lost = m_reconnector.IsProbing() ||
                      (!m_monitor.IsConnected() && !m_monitor.LinkLostReason().isEmpty());
    if (stringId == Str::CommFailure && lost)
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    return m_previous.Show(stringId, buttons, arg);
}

void CLinkStatus::Beep() {
    m_previous.Beep();
}
