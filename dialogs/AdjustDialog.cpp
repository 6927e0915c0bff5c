#include "dialogs/AdjustDialog.h"

#include "app/HelpLanguage.h"
#include "dialogs/AccessibleNames.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"
#include "platform/HelpWindow.h"
#include "platform/ProgramFolder.h"

#include <QHelpEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWhatsThis>
#include <QWindow>

namespace {
// The control a click or the focus is on: the nearest widget, upwards, that carries an id.
const QWidget* ControlAt(const QWidget* widget, const QWidget* dialog) {
    for (; widget && widget != dialog; widget = widget->parentWidget()) {
        bool isId = false;
        widget->objectName().toInt(&isId);
        if (isId)
            return widget;
    }
    return nullptr;
}
} // namespace

CAdjustDialog::CAdjustDialog(CMonitor& monitor, const Frame& frame, QObject* notifyBack,
                             QWidget* parent)
    : QDialog(parent), m_monitor(monitor), m_frame(frame), m_notifyBack(notifyBack) {
    setObjectName(QString::number(frame.templateId));
    setWindowFlag(Qt::WindowContextHelpButtonHint, frame.contextHelp);
    if (frame.contextHelp) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
        connect(f1, &QShortcut::activated, this,
                [this] { ShowControlHelp(ControlAt(focusWidget(), this)); });
        // Where the desktop draws no context-help button, Shift+F1 enters the same mode.
        auto* whatsThis = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
        connect(whatsThis, &QShortcut::activated, this, [] { QWhatsThis::enterWhatsThisMode(); });
    }
}

CAdjustDialog::~CAdjustDialog() {
    HandBackNotifications();
}

std::uint32_t CAdjustDialog::HelpContextOf(const QWidget* control) const {
    if (!control)
        return 0;
    bool isId = false;
    const int id = control->objectName().toInt(&isId);
    if (!isId || !m_helpControls.count(id))
        return 0;
    return HelpContext::ForControl(m_frame.templateId, id);
}

void CAdjustDialog::ShowControlHelp(const QWidget* control) {
    // The application's help file: the one of the user's language in the program folder.
    ShowHelpContext(ProgramFolder() + HelpFileName(QLocale::system()), HelpContextOf(control));
}

void CAdjustDialog::done(int result) {
    m_bEnded = true;
    HandBackNotifications();
    QDialog::done(result);
}

void CAdjustDialog::HandBackNotifications() {
    if (m_monitor.GetNotifyWindow() == this)
        m_monitor.SetNotifyWindow(m_notifyBack);
}

void CAdjustDialog::AddOkCancel(CFormBuilder& form, QPoint ok, QPoint cancel) {
    QPushButton* okButton = form.Button(1, tr("OK"), ok.x(), ok.y(), 50, 14);
    QPushButton* cancelButton = form.Button(2, tr("Cancel"), cancel.x(), cancel.y(), 50, 14);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CAdjustDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CAdjustDialog::reject);
}

void CAdjustDialog::RegisterForNotifications() {
    m_monitor.SetNotifyWindow(this);
}

void CAdjustDialog::SetHelpControls(std::initializer_list<int> ids) {
    m_helpControls.insert(ids.begin(), ids.end());
}

void CAdjustDialog::AddRow(std::uint8_t item, const QString& name, CTrackBar* slider,
                           QLabel* maxLabel, CUpDown* spin) {
    AccessibleNames::NameSliderRow(slider, spin, AccessibleNames::Plain(name));
    SliderBinding row;
    row.item = item;
    row.slider = slider;
    row.maxLabel = maxLabel;
    row.spin = spin;
    const std::size_t index = m_rows.size();
    m_rows.push_back(row);
    connect(slider, &CTrackBar::Scrolled, this,
            [this, index](int pos) { OnRowSlider(m_rows[index], pos); });
    connect(spin, &CUpDown::Scrolled, this, [this, index] { OnRowSpin(m_rows[index]); });
}

void CAdjustDialog::SetUpRows() {
    for (SliderBinding& row : m_rows)
        SetUpRow(row, m_monitor);
    TransferToBoxes(m_rows);
}

// 30 pixels in from the corner of the screen the dialog opens on (that of the full-screen
// mode, which leaves its pattern in view there).
void CAdjustDialog::PlaceDialog() {
    if (!m_frame.placeAt30)
        return;
    const QScreen* on = windowHandle() ? windowHandle()->screen() : screen();
    move((on ? on->geometry().topLeft() : QPoint()) + QPoint(30, 30));
}

void CAdjustDialog::SendRow(SliderBinding& row, int value) {
    m_monitor.WriteItem(row.item, static_cast<std::uint16_t>(value));
}

void CAdjustDialog::OnRowSlider(SliderBinding& row, int pos) {
    SendRow(row, pos);
    row.value = pos;
    TransferToBoxes(m_rows);
}

void CAdjustDialog::OnRowSpin(SliderBinding& row) {
    TransferFromBoxes(m_rows);
    row.slider->SetPos(row.value);
    SendRow(row, row.value);
}

void CAdjustDialog::OnNotify(int item, int value) {
    SliderBinding* row = FindRow(m_rows, item & 0xFF);
    if (!row)
        return;
    row->slider->SetPos(value);
    row->value = value;
    RowNotified(*row);
    TransferToBoxes(m_rows);
}

void CAdjustDialog::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CAdjustDialog::customEvent(QEvent* event) {
    if (event->type() != CMonitorNotifyEvent::EventType()) {
        QDialog::customEvent(event);
        return;
    }
    // An ended dialog has handed its registration back; a late event is not for it.
    if (m_bEnded || !m_bInitialised)
        return;
    const auto* notify = static_cast<CMonitorNotifyEvent*>(event);
    OnNotify(notify->Item(), notify->Value());
}

bool CAdjustDialog::event(QEvent* event) {
    if (m_frame.contextHelp &&
        (event->type() == QEvent::QueryWhatsThis || event->type() == QEvent::WhatsThis)) {
        // Every control answers a context-help click: with its popup, or with context 0.
        if (event->type() == QEvent::WhatsThis) {
            const auto* help = static_cast<QHelpEvent*>(event);
            ShowControlHelp(ControlAt(childAt(help->pos()), this));
        }
        event->accept();
        return true;
    }
    return QDialog::event(event);
}
