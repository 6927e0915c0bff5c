#include "panel/Qelt32View.h"

#include "dialogs/AccessibleNames.h"
#include "dialogs/ColorSettingDlg.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/IntervalDlg.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"
#include "panel/ColorTempBar.h"
#include "panel/KeypadSteps.h"
#include "platform/AnimateCtrl.h"
#include "platform/Profile.h"
#include "platform/UserMessages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kFormWidth = 325;
constexpr int kFormHeight = 198;
constexpr int kScreenClip = 5;
constexpr int kPowerClip = 6;
constexpr int kPowerClipLastFrame = 16;
constexpr int kScreenClipRepeats = 10;
constexpr int kPowerOff = 2;

bool IsColorItem(int item) {
    return (item >= 23 && item <= 29) || item == Items::ColorMode || item == Items::ColorPreset;
}
} // namespace

CQelt32View::CQelt32View(CMonitor& monitor, CAdjustWnd* adjustWnd, QWidget* parent)
    : QWidget(parent), m_monitor(monitor), m_pAdjustWnd(adjustWnd), m_scale(false) {
    setObjectName(QStringLiteral("101"));
    BuildForm();
    qApp->installEventFilter(this);
}

CQelt32View::~CQelt32View() {
    qApp->removeEventFilter(this);
    SaveProfile();
}

void CQelt32View::SaveProfile() {
    // Nothing was read from the monitor if the view never came up: keep the profile.
    if (!m_bInitialised)
        return;
    const QString section = ProfileSection();
    Profile::WriteInt(section, QStringLiteral("colortemp"), m_pTemp->value());
    m_customColors.Save(section);
}

void CQelt32View::SetAdjustWnd(CAdjustWnd* adjustWnd) {
    m_pAdjustWnd = adjustWnd;
}

void CQelt32View::BuildForm() {
    CFormBuilder form(this);
    form.FixFormSize(kFormWidth, kFormHeight);

    form.BeginGroup(tr("Screen"), 7, 4, 150, 86);
    auto* screenAdjust = form.Button(1068, tr("&Screen Adjustment..."), 15, 18, 86, 14);
    m_pScreenAnim = form.Place(new CAnimateCtrl(nullptr), 1050, 110, 14, 40, 36);
    form.Static(0, tr("Position Adjustment : ten keys\nSize Adjustment : Alt+ten keys"), 15, 58,
                136, 24);

    form.BeginGroup(tr("B&rightness"), 7, 94, 150, 98);
    m_pSelectGroup = new QButtonGroup(this);
    form.Radio(1004, tr("&Brightness"), 15, 108, 62, 10, m_pSelectGroup);
    form.Radio(1005, tr("&Contrast"), 80, 108, 72, 10, m_pSelectGroup);
    form.Static(0, QStringLiteral("0"), 11, 132, 9, 8, Qt::AlignRight);
    m_pLevel = form.TrackBar(1075, 22, 128, 104, 15);
    m_pLevelMax = form.Static(1151, QStringLiteral("255"), 127, 132, 18, 8);
    QLineEdit* levelBox = form.ReadOnlyEdit(1149, 56, 162, 40, 12);
    levelBox->setAlignment(Qt::AlignRight);
    m_pLevelSpin = form.UpDown(1150, levelBox, true);
    NameLevelRow(1004);

    QGroupBox* temperature = form.BeginGroup(tr("Color Temperature"), 163, 4, 155, 116);
    m_pTempModeGroup = new QButtonGroup(this);
    form.Radio(1121, tr("S&tandard"), 171, 18, 66, 10, m_pTempModeGroup);
    form.Radio(1122, tr("Custo&m"), 171, 32, 66, 10, m_pTempModeGroup);
    m_pColorDetail = form.Button(1069, tr("&Detail Setting..."), 244, 27, 66, 14);
    m_pTempCaption = form.Static(1081, tr("Current Color Tem&perature:"), 171, 53, 100, 8);
    m_pTempText = form.ReadOnlyEdit(1147, 272, 51, 38, 12);
    m_pTempText->setAlignment(Qt::AlignRight);
    m_pTempSpin = form.UpDown(1148, m_pTempText, false);
    // The bar paints itself over the group box, so its colours come out exact.
    m_pColorBar = form.Place(new CColorTempBar, 1076, 176, 69, 130, 9);
    m_pTempLow = form.Static(1078, QStringLiteral("4000K"), 171, 100, 36, 8);
    m_pTemp = form.TrackBar(1077, 170, 80, 142, 18, true);
    m_pTempHigh = form.Static(1079, QStringLiteral("10000K"), 274, 100, 36, 8, Qt::AlignRight);
    AccessibleNames::NameSliderRow(m_pTemp, m_pTempSpin,
                                   AccessibleNames::Plain(m_pTempCaption->text()));

    QGroupBox* power = form.BeginGroup(tr("PowerWarden"), 163, 124, 155, 68);
    m_pPowerGroup = new QButtonGroup(this);
    m_pPowerAnim = form.Place(new CAnimateCtrl(nullptr), 1052, 280, 146, 30, 24);
    form.Radio(1072, tr("&VESA DPMS (Windows 95 standard)"), 171, 136, 142, 10, m_pPowerGroup);
    form.Radio(1073, tr("&NUTEK (blank screen)"), 171, 150, 104, 10, m_pPowerGroup);
    form.Radio(1074, tr("&OFF"), 171, 164, 60, 10, m_pPowerGroup);
    m_pIntervalDetail = form.Button(1070, tr("D&etail Setting..."), 244, 172, 66, 14);
    form.EndGroup();
    // Both detail buttons say the same: their names say which group they belong to.
    for (auto [button, group] :
         {std::pair{m_pColorDetail, temperature}, {m_pIntervalDetail, power}})
        button->setAccessibleName(QStringLiteral("%1: %2").arg(
            AccessibleNames::Plain(group->title()), AccessibleNames::Plain(button->text())));

    connect(screenAdjust, &QPushButton::clicked, this, &CQelt32View::OnScreenAdjustment);
    connect(m_pColorDetail, &QPushButton::clicked, this, &CQelt32View::OnColorDetail);
    connect(m_pIntervalDetail, &QPushButton::clicked, this, &CQelt32View::OnIntervalDetail);
    connect(m_pSelectGroup, &QButtonGroup::idClicked, this, &CQelt32View::OnSelect);
    connect(m_pTempModeGroup, &QButtonGroup::idClicked, this, &CQelt32View::OnTempMode);
    connect(m_pPowerGroup, &QButtonGroup::idClicked, this, &CQelt32View::OnPowerSave);
    connect(m_pLevel, &CTrackBar::Scrolled, this, &CQelt32View::OnLevelSlider);
    connect(m_pLevelSpin, &CUpDown::Scrolled, this, &CQelt32View::OnLevelSpin);
    connect(m_pTemp, &CTrackBar::Scrolled, this, &CQelt32View::OnTempSlider);
    connect(m_pTempSpin, &CUpDown::Scrolled, this, &CQelt32View::OnTempSpin);
}

bool CQelt32View::eventFilter(QObject* watched, QEvent* event) {
    // The keypad steps are taken from the key presses themselves: shortcut matching on X11
    // and Wayland drops the keypad flag, so keypad shortcuts would never fire there. Only
    // presses meant for this window count, not those of a dialog or the full-screen window.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const KeypadStep* step = FindKeypadKey(key->key(), key->modifiers())) {
            OnKeypadCommand(step->command);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString CQelt32View::ProfileSection() const {
    return m_monitor.GetSerialText();
}

void CQelt32View::showEvent(QShowEvent* event) {
    OnInitialUpdate();
    QWidget::showEvent(event);
}

void CQelt32View::OnInitialUpdate() {
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    m_monitor.SetNotifyWindow(this);
    m_scale = CColorTempScale(m_monitor.GetProtocolRevision() == 0);

    // Brightness/contrast.
    m_nSelect = 0;
    m_pSelectGroup->button(1004)->setChecked(true);
    OnSelect(1004);

    // Colour temperature: the monitor's colours decide Standard or Custom; in Standard
    // the remembered step wins when it gives exactly the present colours.
    const QString section = ProfileSection();
    constexpr int kAbsent = -1;
    const int remembered = Profile::GetInt(section, QStringLiteral("colortemp"), kAbsent);
    int step = m_monitor.GetColorTemp();
    if (step == -1) {
        m_nTempMode = 1;
        step = remembered == kAbsent ? CColorTempScale::kFallbackStep : remembered;
        m_customColors.TakeCurrent(m_monitor);
    } else {
        m_nTempMode = 0;
        if (m_scale.Contains(remembered) && m_monitor.IsColorTemp(&remembered))
            step = remembered;
        m_customColors.Load(section, m_monitor);
    }
    step = m_scale.Fit(step);

    m_pTemp->SetRangeMax(m_scale.MaxStep());
    m_pTemp->SetTickFrequency(m_scale.TickFrequency());
    m_pTemp->SetPageSize(1);
    m_pTempSpin->SetRange(0, m_scale.MaxStep());
    m_pTempLow->setText(m_scale.LowLabel());
    m_pTempHigh->setText(m_scale.HighLabel());
    ShowColorTemp(step);
    m_pTemp->SetPos(step);
    ShowTempMode();

    // Power saving.
    m_nPowerSave = m_monitor.GetPowerSaveMode();
    ShowPowerSave();
    updateGeometry();
}

void CQelt32View::OnUpdate() {
    if (!m_bInitialised)
        return;
    OnSelect(1004 + m_nSelect); // reads the level again
    FollowColorTemp();
    m_nPowerSave = m_monitor.GetPowerSaveMode();
    ShowPowerSave();
}

void CQelt32View::FollowColorTemp() {
    // Several steps can give the same colours: the one on show stays when it is one of them.
    const int shown = m_pTemp->value();
    int step = m_monitor.GetColorTemp();
    if (step == -1) {
        m_nTempMode = 1;
    } else {
        if (m_monitor.IsColorTemp(&shown))
            step = shown;
        ShowColorTemp(step);
        m_pTemp->SetPos(m_scale.Fit(step));
        m_nTempMode = 0;
    }
    ShowTempMode();
}

void CQelt32View::ShowColorTemp(int step) {
    step = m_scale.Fit(step);
    m_pTempText->setText(m_scale.Text(step));
    m_pTempSpin->SetPos(step);
}

void CQelt32View::ShowTempMode() {
    const bool custom = m_nTempMode == 1;
    m_pTempModeGroup->button(custom ? 1122 : 1121)->setChecked(true);
    m_pColorDetail->setEnabled(custom);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_pTempCaption, m_pColorBar, m_pTempLow, m_pTemp,
                                         m_pTempHigh, m_pTempText, m_pTempSpin})
        control->setVisible(!custom);
}

void CQelt32View::ShowLevel() {
    m_pLevel->SetPos(m_nLevel);
    m_pLevelSpin->SetPos(m_nLevel);
}

void CQelt32View::ShowPowerSave() {
    if (QAbstractButton* radio = m_pPowerGroup->button(1072 + m_nPowerSave))
        radio->setChecked(true);
    m_pIntervalDetail->setEnabled(m_nPowerSave != kPowerOff);
}

// The slider and box show brightness or contrast, and are named after the one they show.
void CQelt32View::NameLevelRow(int id) {
    AccessibleNames::NameSliderRow(m_pLevel, m_pLevelSpin,
                                   AccessibleNames::Plain(m_pSelectGroup->button(id)->text()));
}

void CQelt32View::OnSelect(int id) {
    m_nSelect = id - 1004;
    NameLevelRow(id);
    std::int16_t maximum = 0;
    std::uint16_t current = 0;
    m_monitor.GetItem(m_nItem[m_nSelect], &maximum, &current, nullptr);
    const int top = static_cast<std::uint16_t>(maximum);
    m_pLevel->SetLineSize(1);
    m_pLevel->SetPageSize(20);
    m_pLevel->SetRangeMax(top);
    m_pLevelMax->setText(QString::number(top));
    m_pLevelSpin->SetRange(0, top);
    m_nLevel = current;
    ShowLevel();
}

void CQelt32View::OnLevelSlider(int pos) {
    m_monitor.WriteItem(m_nItem[m_nSelect], static_cast<std::uint16_t>(pos));
    m_nLevel = pos;
    m_pLevelSpin->SetPos(pos);
}

void CQelt32View::OnLevelSpin(int pos) {
    m_nLevel = pos;
    m_pLevel->SetPos(pos);
    m_monitor.WriteItem(m_nItem[m_nSelect], static_cast<std::uint16_t>(pos));
}

void CQelt32View::OnTempSlider(int step) {
    m_monitor.SetColorTemp(step);
    ShowColorTemp(step);
}

void CQelt32View::OnTempSpin(int step) {
    ShowColorTemp(step);
    m_pTemp->SetPos(step);
    m_monitor.SetColorTemp(step);
}

void CQelt32View::OnTempMode(int id) {
    const int mode = id - 1121;
    // Choosing the mode already in force changes nothing: a second Standard would take the
    // temperature's colours for the user's own, a second Custom would undo changes made
    // on the monitor since.
    if (mode == m_nTempMode)
        return;
    m_nTempMode = mode;
    if (m_nTempMode == 1) {
        ShowTempMode();
        if (!m_monitor.GetColorCustom())
            m_monitor.SetColorCustom(true);
        m_customColors.WriteTo(m_monitor);
    } else {
        m_customColors.TakeCurrent(m_monitor);
        ShowTempMode();
        m_monitor.SetColorTemp(m_pTemp->value());
    }
}

void CQelt32View::OnPowerSave(int id) {
    m_nPowerSave = id - 1072;
    m_monitor.SetPowerSaveMode(m_nPowerSave);
    m_pIntervalDetail->setEnabled(m_nPowerSave != kPowerOff);
}

void CQelt32View::OnScreenAdjustment() {
    if (m_pAdjustWnd)
        m_pAdjustWnd->Open(this);
}

void CQelt32View::OnColorDetail() {
    {
        CColorSettingDlg dialog(m_monitor, m_pAdjustWnd, window(), this);
        dialog.exec();
    }
    m_monitor.SetNotifyWindow(this);
    std::uint16_t current = 0;
    m_monitor.GetItem(m_nItem[m_nSelect], nullptr, &current, nullptr);
    m_nLevel = current;
    ShowLevel();
    m_customColors.TakeCurrent(m_monitor);
    if (!m_monitor.GetColorCustom()) {
        m_monitor.SetColorCustom(true);
        m_customColors.WriteTo(m_monitor);
    }
}

void CQelt32View::OnIntervalDetail() {
    if (m_nPowerSave == kPowerOff)
        return;
    {
        CIntervalDlg dialog(
            m_monitor,
            m_nPowerSave == 0 ? CIntervalDlg::kVesaTemplate : CIntervalDlg::kNutekTemplate, this);
        dialog.exec();
    }
    m_monitor.SetNotifyWindow(this);
}

bool CQelt32View::OnKeypadCommand(int command) {
    const KeypadStep* step = FindKeypadStep(command);
    if (!step)
        return false;
    // While the monitor does not answer the panel sends nothing, keys included.
    if (!m_monitor.IsConnected()) {
        UserMessages().Beep();
        return true;
    }
    m_monitor.AdjustItems(step->item1, step->delta1, step->item2, step->delta2, step->both);
    return true;
}

void CQelt32View::customEvent(QEvent* event) {
    if (event->type() == CMonitorNotifyEvent::EventType()) {
        const auto* notify = static_cast<CMonitorNotifyEvent*>(event);
        OnNotify(notify->Item(), notify->Value());
        return;
    }
    QWidget::customEvent(event);
}

void CQelt32View::OnNotify(int item, int value) {
    if (!m_bInitialised)
        return;
    if (item == Items::Bright || item == Items::Contrast) {
        if (m_nItem[m_nSelect] != item)
            return; // the other one of the pair is not on show
        m_nLevel = value;
        ShowLevel();
    } else if (IsColorItem(item)) {
        FollowColorTemp();
    } else if (item == Items::ModeWord) {
        m_nPowerSave = m_monitor.GetPowerSaveMode();
        ShowPowerSave();
    }
}

void CQelt32View::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_bAnimStarted) {
        m_bAnimStarted = true;
        if (m_pScreenAnim->Open(kScreenClip))
            m_pScreenAnim->Play(0, -1, kScreenClipRepeats);
        if (m_pPowerAnim->Open(kPowerClip))
            m_pPowerAnim->Play(0, kPowerClipLastFrame, 1);
    }
}
