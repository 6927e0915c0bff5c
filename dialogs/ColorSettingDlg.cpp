#include "dialogs/ColorSettingDlg.h"

#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace {
constexpr int kCrosshatch = 12;
constexpr int kGreyScale = 4;

struct RowIds {
    int label, slider, maxLabel, edit, spin;
    const char* caption;
};
// The six rows in screen order: brightness, contrast, sub-contrast, red, green, blue.
const RowIds kRowIds[6] = {
    {1128, 1086, 1087, 1088, 1089, QT_TRANSLATE_NOOP("CColorSettingDlg", "&Brightness:")},
    {1129, 1090, 1091, 1092, 1093, QT_TRANSLATE_NOOP("CColorSettingDlg", "&Contrast:")},
    {1130, 1094, 1096, 1097, 1098, QT_TRANSLATE_NOOP("CColorSettingDlg", "&Sub-Contrast:")},
    {1112, 1099, 1100, 1101, 1102, QT_TRANSLATE_NOOP("CColorSettingDlg", "&Red:")},
    {1113, 1103, 1104, 1105, 1111, QT_TRANSLATE_NOOP("CColorSettingDlg", "Gr&een:")},
    {1114, 1107, 1108, 1109, 1110, QT_TRANSLATE_NOOP("CColorSettingDlg", "B&lue:")},
};
constexpr std::uint8_t kFixedItems[3] = {Items::Bright, Items::Contrast, 29};
constexpr std::uint8_t kCutoffItems[3] = {23, 24, 25};
constexpr std::uint8_t kGainItems[3] = {26, 27, 28};
constexpr int kFirstBalanceRow = 3;
constexpr int kSubContrastRow = 2;

QStringList FactoryEntries() {
    return {QStringLiteral("4000K"), QStringLiteral("4500K"), QStringLiteral("5000K"),
            QStringLiteral("5500K"), QStringLiteral("6000K"), QStringLiteral("6500K"),
            QStringLiteral("7000K"), QStringLiteral("7500K"), QStringLiteral("8000K"),
            QStringLiteral("8500K"), QStringLiteral("9000K"), QStringLiteral("9300K"),
            QStringLiteral("9500K"), QStringLiteral("10000K")};
}
} // namespace

CColorSettingDlg::CColorSettingDlg(CMonitor& monitor, CAdjustWnd* adjustWnd, QWidget* mainWindow,
                                   QObject* notifyBack)
    : CAdjustDialog(monitor, Frame{kTemplate, false, true}, notifyBack, nullptr),
      m_pAdjustWnd(adjustWnd), m_pMainWindow(mainWindow) {
    setWindowTitle(tr("Color Setting"));
    BuildForm();
    SetHelpControls({1128, 1129, 1130, 1082, 1083});
}

void CColorSettingDlg::BuildForm() {
    CFormBuilder form(this);
    form.FixFormSize(272, 198);

    auto makeRow = [&](int index, int y) {
        const RowIds& ids = kRowIds[index];
        form.Static(ids.label, tr(ids.caption), 14, y + 3, 68, 8);
        form.Static(0, QStringLiteral("0"), 82, y + 3, 8, 8, Qt::AlignRight);
        CTrackBar* slider = form.TrackBar(ids.slider, 91, y, 104, 15);
        QLabel* maxLabel = form.Static(ids.maxLabel, QStringLiteral("255"), 196, y + 3, 16, 8);
        QLineEdit* edit = form.ReadOnlyEdit(ids.edit, 216, y + 1, 40, 12);
        CUpDown* spin = form.UpDown(ids.spin, edit, true);
        const std::uint8_t item =
            index < kFirstBalanceRow ? kFixedItems[index] : kCutoffItems[index - kFirstBalanceRow];
        AddRow(item, tr(ids.caption), slider, maxLabel, spin);
    };

    form.BeginGroup(tr("Brightness"), 7, 4, 258, 64);
    for (int i = 0; i < kFirstBalanceRow; ++i)
        makeRow(i, 16 + 16 * i);
    form.BeginGroup(tr("Color Balance"), 7, 72, 258, 82);
    m_pBalanceGroup = new QButtonGroup(this);
    form.Radio(1082, tr("C&utoff"), 14, 84, 66, 10, m_pBalanceGroup)->setChecked(true);
    form.Radio(1083, tr("&Gain"), 84, 84, 66, 10, m_pBalanceGroup);
    for (int i = kFirstBalanceRow; i < 6; ++i)
        makeRow(i, 98 + 16 * (i - kFirstBalanceRow));
    form.EndGroup();

    m_pTestPattern = form.Check(1115, tr("&Display the test pattern"), 7, 162, 150, 10);
    m_pTestPattern->setEnabled(m_pAdjustWnd != nullptr);
    form.Static(0, tr("&Factory Setting:"), 7, 181, 62, 8);
    m_pFactory = form.DropList(1084, FactoryEntries(), 70, 179, 60);
    AddOkCancel(form, {215, 160}, {215, 178});

    connect(m_pBalanceGroup, &QButtonGroup::idClicked, this, &CColorSettingDlg::OnBalance);
    connect(m_pFactory, &QComboBox::activated, this, &CColorSettingDlg::OnFactorySetting);
    connect(m_pTestPattern, &QCheckBox::clicked, this, &CColorSettingDlg::OnTestPattern);
}

void CColorSettingDlg::OnInitDialog() {
    RegisterForNotifications();
    m_nBalance = 0;
    m_pBalanceGroup->button(1082)->setChecked(true);
    AssignBalanceRows();
    SetUpRows();
    // The list offers the monitor's factory temperatures; the selection does not try to
    // reflect the present temperature, and opening sends nothing.
    if (m_monitor.GetProtocolRevision() != 0) {
        m_pFactory->setCurrentIndex(11);
    } else {
        m_pFactory->clear();
        m_pFactory->addItems({QStringLiteral("6500K"), QStringLiteral("9300K")});
        m_pFactory->setCurrentIndex(1);
    }
    m_monitor.MarkColor();
    m_monitor.MarkBrightContrast();
    TransferToBoxes(m_rows);
}

void CColorSettingDlg::AssignBalanceRows() {
    const std::uint8_t* items = m_nBalance == 0 ? kCutoffItems : kGainItems;
    for (int i = 0; i < 3; ++i) {
        m_rows[kFirstBalanceRow + i].item = items[i];
        m_patterns[kFirstBalanceRow + i] = m_nBalance == 0 ? kCrosshatch : kGreyScale;
    }
}

void CColorSettingDlg::OnBalance(int id) {
    m_nBalance = id - 1082;
    AssignBalanceRows();
    for (int i = kFirstBalanceRow; i < 6; ++i)
        SetUpRow(m_rows[i], m_monitor);
    TransferToBoxes(m_rows);
}

void CColorSettingDlg::OnFactorySetting(int index) {
    if (index < 0)
        return;
    int step = 0;
    if (m_monitor.GetProtocolRevision() != 0) {
        if (index >= static_cast<int>(kTemperatureSteps.size()))
            return;
        step = kTemperatureSteps[index];
    } else {
        step = index != 0 ? 6 : 0; // "9300K" is the scale's top, "6500K" its bottom
    }
    m_monitor.SetColorTemp(step);
    // The temperature set sub-contrast and all six balance items; the rows shown follow.
    for (int i = kSubContrastRow; i < 6; ++i) {
        SliderBinding& row = m_rows[i];
        std::uint16_t current = 0;
        m_monitor.GetItem(row.item, nullptr, &current, nullptr);
        row.slider->SetPos(current);
        row.value = current;
    }
    TransferToBoxes(m_rows);
}

void CColorSettingDlg::OnTestPattern() {
    m_bTestPattern = !m_bTestPattern;
    m_pTestPattern->setChecked(m_bTestPattern);
    if (m_bTestPattern) {
        if (m_pMainWindow)
            m_pMainWindow->hide();
        if (m_pAdjustWnd)
            m_pAdjustWnd->ShowPattern(kCrosshatch);
    } else {
        if (m_pMainWindow)
            m_pMainWindow->show();
        if (m_pAdjustWnd)
            m_pAdjustWnd->hide();
    }
    // The dialog stays in front of the pattern and keeps the focus.
    raise();
    activateWindow();
}

void CColorSettingDlg::ShowRowPattern(const SliderBinding& row) {
    if (m_bTestPattern && m_pAdjustWnd)
        m_pAdjustWnd->ShowPattern(m_patterns[&row - m_rows.data()]);
}

void CColorSettingDlg::OnRowSlider(SliderBinding& row, int pos) {
    ShowRowPattern(row);
    CAdjustDialog::OnRowSlider(row, pos);
}

void CColorSettingDlg::OnRowSpin(SliderBinding& row) {
    CAdjustDialog::OnRowSpin(row);
    ShowRowPattern(row);
}

void CColorSettingDlg::RowNotified(SliderBinding& row) {
    ShowRowPattern(row);
}

void CColorSettingDlg::OnNotify(int item, int value) {
    CAdjustDialog::OnNotify(item, value);
    // Another colour mode brings other values and maxima for every row. The rows keep
    // the balance the user chose.
    if (item == Items::ColorMode)
        SetUpRows();
}

void CColorSettingDlg::EndTestPattern() {
    if (!m_bTestPattern)
        return;
    if (m_pMainWindow)
        m_pMainWindow->show();
    if (m_pAdjustWnd)
        m_pAdjustWnd->hide();
}

void CColorSettingDlg::accept() {
    m_monitor.CommitColorCustom(true);
    m_monitor.CommitColor();
    m_monitor.CommitBrightContrast();
    m_monitor.StoreInMemory(false);
    EndTestPattern();
    CAdjustDialog::accept();
}

void CColorSettingDlg::reject() {
    m_monitor.RevertColor();
    m_monitor.RevertBrightContrast();
    EndTestPattern();
    CAdjustDialog::reject();
}
