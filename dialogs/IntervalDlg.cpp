#include "dialogs/IntervalDlg.h"

#include "dialogs/FormBuilder.h"
#include "link/Monitor.h"
#include "platform/PlatformFlags.h"

#include <QComboBox>
#include <QPushButton>

namespace {
constexpr int kDurationEntries = 13;

QStringList DelayEntries() {
    return {CIntervalDlg::tr("5 seconds"), CIntervalDlg::tr("3 minutes")};
}

QStringList DurationEntries() {
    QStringList entries;
    for (int i = 0; i < kDurationEntries; ++i)
        entries << CIntervalDlg::tr("%1 minutes").arg(i * 5);
    return entries;
}
} // namespace

CIntervalDlg::CIntervalDlg(CMonitor& monitor, int templateId, QObject* notifyBack,
                           const SettingsProgram& screenSaver)
    : CAdjustDialog(monitor, Frame{templateId, false, false}, notifyBack, nullptr),
      m_screenSaver(screenSaver), m_nTemplate(templateId) {
    setWindowTitle(tr("Interval Time Setting"));
    if (templateId == kNutekTemplate)
        BuildNutekForm();
    else
        BuildVesaForm();
    connect(m_pDelay, &QComboBox::activated, this, [this](int index) {
        if (index != -1)
            m_monitor.SetMode1Delay(index);
    });
    connect(m_pDuration, &QComboBox::activated, this, [this](int index) {
        if (index != -1)
            m_monitor.WriteItem(Items::Interval, static_cast<std::uint16_t>(index));
    });
    connect(m_pScreenSaver, &QPushButton::clicked, this,
            [this] { StartScreenSaverSettings(m_screenSaver); });
}

void CIntervalDlg::BuildNutekForm() {
    CFormBuilder form(this);
    form.FixFormSize(250, 181);
    form.BeginGroup(tr("Monitor Setting"), 7, 4, 236, 84);
    form.Static(0,
                tr("I&nterval time between the ScreenSaver blanks screen and the monitor "
                   "enters into Mode 1:"),
                14, 16, 222, 18);
    m_pDelay = form.DropList(1084, DelayEntries(), 14, 36, 80);
    form.Static(0, tr("&Mode1 duration time before the monitor enters into Mode2:"), 14, 56, 222,
                10);
    m_pDuration = form.DropList(1085, DurationEntries(), 14, 68, 80);
    form.BeginGroup(tr("Windows Setting"), 7, 92, 236, 62);
    form.Static(0, tr("1. Click [Screen Saver] button."), 14, 104, 222, 8);
    form.Static(0, tr("2. Set the NUTEK compatible ScreenSaver."), 14, 114, 222, 16);
    m_pScreenSaver = form.Button(1132, tr("&Screen Saver"), 150, 134, 86, 14);
    form.EndGroup();
    AddOkCancel(form, {139, 161}, {193, 161});
}

void CIntervalDlg::BuildVesaForm() {
    CFormBuilder form(this);
    form.FixFormSize(250, 169);
    form.BeginGroup(tr("Monitor Setting"), 7, 4, 236, 58);
    form.Static(0,
                tr("&Interval time when the monitor detects the SUSPEND signal or the OFF "
                   "signal and the monitor enters into Mode 1 or Mode 2:"),
                14, 16, 222, 26);
    m_pDelay = form.DropList(1084, DelayEntries(), 14, 42, 80);
    form.BeginGroup(tr("Windows 95 Setting"), 7, 66, 236, 76);
    form.Static(0, tr("1. Click [Screen Saver] button."), 14, 78, 222, 8);
    form.Static(0,
                tr("2. Set the interval time in each [minutes] box in [Energy saving features "
                   "of monitor] box."),
                14, 88, 222, 26);
    m_pScreenSaver = form.Button(1132, tr("&Screen Saver"), 150, 122, 86, 14);
    form.EndGroup();
    // The duration belongs to NUTEK; VESA DPMS keeps the list out of sight.
    m_pDuration = form.DropList(1085, DurationEntries(), 14, 149, 80);
    m_pDuration->hide();
    AddOkCancel(form, {139, 149}, {193, 149});
}

void CIntervalDlg::SelectDuration(int index) {
    m_pDuration->setCurrentIndex(index >= 0 && index < kDurationEntries ? index : -1);
}

void CIntervalDlg::OnInitDialog() {
    RegisterForNotifications();
    m_pDelay->setCurrentIndex(m_monitor.GetMode1Delay());
    std::uint16_t duration = 0;
    m_monitor.GetItem(Items::Interval, nullptr, &duration, nullptr);
    SelectDuration(duration);
    m_monitor.MarkFlag(0);
    m_nMarkedDelay = m_monitor.GetMode1Delay();
    m_monitor.MarkItem(Items::Interval);
    m_pScreenSaver->setEnabled(Platform().newShell && m_screenSaver.IsFound());
}

void CIntervalDlg::OnNotify(int item, int value) {
    if (item == Items::ModeWord)
        m_pDelay->setCurrentIndex(m_monitor.GetMode1Delay());
    else if (item == Items::Interval)
        SelectDuration(value);
}

void CIntervalDlg::accept() {
    if (m_pDelay->currentIndex() != -1)
        m_monitor.CommitMode1Delay(m_pDelay->currentIndex());
    if (m_nTemplate == kNutekTemplate)
        m_monitor.CommitItem(Items::Interval);
    CAdjustDialog::accept();
}

void CIntervalDlg::reject() {
    // The mode word goes to the monitor only when the delay's bit is not as it was.
    if (m_monitor.GetMode1Delay() != m_nMarkedDelay)
        m_monitor.RevertFlag(0);
    if (m_nTemplate == kNutekTemplate)
        m_monitor.RevertItem(Items::Interval);
    CAdjustDialog::reject();
}
