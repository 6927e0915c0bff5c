#include "dialogs/VLinearityDlg.h"

#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/Combination.h"
#include "link/Monitor.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>

namespace {
struct RowIds {
    std::uint8_t item, linkedItem, coefIndex;
    int leftIcon, leftIconId, slider, maxLabel, edit, spin, rightIcon, rightIconId;
};
// Balance (item 14) carries the vertical position along, linearity (item 15) the vertical
// size; the icons show the line spacing at either end of the slider.
constexpr RowIds kRowIds[2] = {
    {14, Items::VPos, 13, 1137, 146, 1002, 1141, 1143, 1144, 1138, 147},
    {15, Items::VSize, 15, 1139, 148, 1003, 1142, 1090, 1091, 1140, 149},
};

QLabel* Icon(CFormBuilder& form, int id, int iconId, int x, int y) {
    QLabel* icon = form.Static(id, QString(), x, y, 21, 20, Qt::AlignHCenter);
    icon->setWordWrap(false);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/%1.png").arg(iconId)).pixmap(32, 32));
    return icon;
}
} // namespace

CVLinearityDlg::CVLinearityDlg(CMonitor& monitor, QObject* notifyBack, QWidget* parent)
    : CAdjustDialog(monitor, Frame{kTemplate, true, true}, notifyBack, parent) {
    setWindowTitle(tr("Vertical Linearity Adjustment"));
    BuildForm();
    SetHelpControls({1137, 1138, 1139, 1140});
}

void CVLinearityDlg::BuildForm() {
    CFormBuilder form(this);
    form.FixFormSize(252, 88);
    for (int i = 0; i < 2; ++i) {
        const RowIds& ids = kRowIds[i];
        const int y = 8 + 28 * i;
        Icon(form, ids.leftIcon, ids.leftIconId, 7, y);
        form.Static(0, QStringLiteral("0"), 30, y + 6, 8, 8, Qt::AlignRight);
        CTrackBar* slider = form.TrackBar(ids.slider, 39, y + 3, 112, 15);
        QLabel* maxLabel = form.Static(ids.maxLabel, QStringLiteral("255"), 152, y + 6, 16, 8);
        Icon(form, ids.rightIcon, ids.rightIconId, 169, y);
        QLineEdit* edit = form.ReadOnlyEdit(ids.edit, 198, y + 4, 46, 12);
        CUpDown* spin = form.UpDown(ids.spin, edit, true);
        AddRow(ids.item, i == 0 ? tr("Balance") : tr("Linearity"), slider, maxLabel, spin);
        m_links[i].linkedItem = ids.linkedItem;
        m_links[i].coefIndex = ids.coefIndex;
    }
    AddOkCancel(form, {140, 66}, {194, 66});
}

void CVLinearityDlg::OnInitDialog() {
    RegisterForNotifications();
    SetUpRows();
    // No undo snapshot: Cancel writes back these start values.
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_monitor.GetItem(m_rows[i].item, nullptr, &m_links[i].startValue, nullptr);
        m_monitor.GetItem(m_links[i].linkedItem, nullptr, &m_links[i].startLinked, nullptr);
    }
    PlaceDialog();
}

int CVLinearityDlg::Compensation(double coefficient, int diff) {
    const double product = -coefficient * diff;
    return static_cast<int>(product >= 0 ? product + 0.5 : product - 0.5);
}

void CVLinearityDlg::SendRow(SliderBinding& row, int value) {
    const Link& link = m_links[&row - m_rows.data()];
    std::uint16_t current = 0;
    m_monitor.GetItem(row.item, nullptr, &current, nullptr);
    const int diff = value - current;
    // Refused with a beep when either item would leave its range; the next move is then
    // measured from the unchanged value, so the row catches up.
    m_monitor.AdjustItems(row.item, diff, link.linkedItem,
                          Compensation(g_comboCoef[link.coefIndex], diff), true);
}

void CVLinearityDlg::OnNotify(int item, int value) {
    // The monitor's changes move the sliders only; the boxes keep the number last chosen
    // here until the row moves again.
    std::uint16_t current = 0;
    switch (item) {
    case 14:
        m_rows[0].slider->SetPos(value);
        break;
    case 15:
        m_rows[1].slider->SetPos(value);
        break;
    case Items::AutoSizeItem:
        for (SliderBinding& row : m_rows) {
            m_monitor.GetItem(row.item, nullptr, &current, nullptr);
            row.slider->SetPos(current);
        }
        break;
    default:
        break;
    }
}

void CVLinearityDlg::accept() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_monitor.CommitItem(m_rows[i].item);
        m_monitor.CommitItem(m_links[i].linkedItem);
        m_monitor.MarkItem(m_rows[i].item);
        m_monitor.MarkItem(m_links[i].linkedItem);
    }
    m_monitor.StoreInMemory(false);
    CAdjustDialog::accept();
}

void CVLinearityDlg::reject() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_monitor.WriteItem(m_rows[i].item, m_links[i].startValue);
        m_monitor.WriteItem(m_links[i].linkedItem, m_links[i].startLinked);
    }
    CAdjustDialog::reject();
}
