#include "dialogs/MoireDlg.h"

#include "dialogs/AccessibleNames.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "link/Monitor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int kHMoire = 18, kVMoire = 19;

struct RowIds {
    int item, heading, check, slider, edit, spin, y;
};
// Horizontal, then vertical; the switch of both directions sits between the rows.
constexpr RowIds kRowIds[2] = {
    {kHMoire, 1043, 1000, 1003, 1152, 1153, 7},
    {kVMoire, 1044, 1001, 1004, 1154, 1155, 58},
};
} // namespace

CMoireDlg::CMoireDlg(CMonitor& monitor, QObject* notifyBack, QWidget* parent)
    : CAdjustDialog(monitor, Frame{kTemplate, true, true}, notifyBack, parent) {
    setWindowTitle(tr("Moiré Reduction"));
    BuildForm();
    SetHelpControls({1043, 1044});
}

void CMoireDlg::BuildForm() {
    CFormBuilder form(this);
    form.FixFormSize(230, 116);
    const QString headings[2] = {tr("&Horizontal Moiré Reduction"),
                                 tr("&Vertical Moiré Reduction")};
    const QString switches[2] = {tr("&ON"), tr("O&N")};
    for (int i = 0; i < 2; ++i) {
        const RowIds& ids = kRowIds[i];
        m_pHeadings[i] = form.Static(ids.heading, headings[i], 7, ids.y, 216, 8);
        QCheckBox* check = form.Check(ids.check, switches[i], 14, ids.y + 14, 48, 10);
        CTrackBar* slider = form.TrackBar(ids.slider, 64, ids.y + 12, 112, 15);
        QLineEdit* edit = form.ReadOnlyEdit(ids.edit, 180, ids.y + 13, 42, 12);
        CUpDown* spin = form.UpDown(ids.spin, edit, true);
        AddRow(static_cast<std::uint8_t>(ids.item), headings[i], slider, nullptr, spin);
        // The switches' own text is the same in both rows.
        check->setAccessibleName(QStringLiteral("%1: %2").arg(AccessibleNames::Plain(headings[i]),
                                                              AccessibleNames::Plain(switches[i])));
        (i == 0 ? m_pHSwitch : m_pVSwitch) = check;
        if (i == 0)
            m_pBothSwitch = form.Check(1006, tr("&ON"), 14, 40, 80, 10);
    }
    AddOkCancel(form, {118, 94}, {172, 94});

    connect(m_pBothSwitch, &QCheckBox::clicked, this, &CMoireDlg::OnBothSwitch);
    connect(m_pHSwitch, &QCheckBox::clicked, this, [this] { OnRowSwitch(0); });
    connect(m_pVSwitch, &QCheckBox::clicked, this, [this] { OnRowSwitch(1); });
}

bool CMoireDlg::RevisionB() const {
    return m_monitor.GetProtocolRevision() == 0;
}

void CMoireDlg::ReadFlags() {
    if (RevisionB()) {
        m_bHMoireOn = m_monitor.GetHMoireOn();
        m_bVMoireOn = m_monitor.GetVMoireOn();
    } else {
        // The one switch shows the horizontal bit; switching it sets both.
        m_bMoireOn = m_monitor.GetHMoireOn();
    }
}

void CMoireDlg::FlagsToBoxes() {
    m_pBothSwitch->setChecked(m_bMoireOn);
    m_pHSwitch->setChecked(m_bHMoireOn);
    m_pVSwitch->setChecked(m_bVMoireOn);
}

void CMoireDlg::FlagsFromBoxes() {
    TransferFromBoxes(m_rows);
    m_bMoireOn = m_pBothSwitch->isChecked();
    m_bHMoireOn = m_pHSwitch->isChecked();
    m_bVMoireOn = m_pVSwitch->isChecked();
}

bool CMoireDlg::RowOn(int row) const {
    if (!RevisionB())
        return m_bMoireOn;
    return row == 0 ? m_bHMoireOn : m_bVMoireOn;
}

bool CMoireDlg::RowAvailable(int row) const {
    return m_monitor.IsAvailable(m_rows[row].item);
}

void CMoireDlg::EnableRow(int row, bool on) {
    m_rows[row].slider->setEnabled(on);
    m_rows[row].spin->Buddy()->setEnabled(on);
    m_rows[row].spin->setEnabled(on);
}

void CMoireDlg::OnInitDialog() {
    RegisterForNotifications();
    ReadFlags();
    // The switches this monitor does not have stay out of sight.
    if (RevisionB()) {
        m_pBothSwitch->setText(tr("OK"));
        m_pBothSwitch->hide();
    } else {
        m_pHSwitch->setText(tr("OK"));
        m_pHSwitch->hide();
        m_pVSwitch->hide();
        // The sliders take the room of the hidden switches, and the headings' mnemonics
        // lead to them.
        for (int i = 0; i < 2; ++i) {
            QRect place = m_rows[i].slider->geometry();
            place.setLeft(m_pBothSwitch->geometry().left());
            m_rows[i].slider->setGeometry(place);
            m_pHeadings[i]->setBuddy(m_rows[i].slider);
        }
    }
    QCheckBox* rowSwitches[2] = {m_pHSwitch, m_pVSwitch};
    for (int i = 0; i < 2; ++i) {
        SliderBinding& row = m_rows[i];
        if (!RowAvailable(i)) {
            EnableRow(i, false);
            m_pHeadings[i]->setEnabled(false);
            if (RevisionB())
                rowSwitches[i]->setEnabled(false);
            continue;
        }
        SetUpRow(row, m_monitor);
        if (!RowOn(i))
            EnableRow(i, false);
    }
    TransferToBoxes(m_rows);
    FlagsToBoxes();
    m_monitor.MarkItem(kHMoire);
    m_monitor.MarkItem(kVMoire);
    m_monitor.MarkFlag(1);
    m_monitor.MarkFlag(2);
    PlaceDialog();
}

void CMoireDlg::SwitchRow(int row, bool on) {
    m_rows[row].slider->setEnabled(on);
    if (row == 0)
        m_monitor.SetHMoireOn(on);
    else
        m_monitor.SetVMoireOn(on);
    m_rows[row].spin->Buddy()->setEnabled(on);
    m_rows[row].spin->setEnabled(on);
}

void CMoireDlg::OnBothSwitch() {
    FlagsFromBoxes();
    for (int i = 0; i < 2; ++i)
        if (RowAvailable(i))
            SwitchRow(i, m_bMoireOn);
}

void CMoireDlg::OnRowSwitch(int row) {
    FlagsFromBoxes();
    SwitchRow(row, row == 0 ? m_bHMoireOn : m_bVMoireOn);
}

void CMoireDlg::OnNotify(int item, int value) {
    if (item != Items::ModeWord) {
        CAdjustDialog::OnNotify(item, value);
        return;
    }
    ReadFlags();
    FlagsToBoxes();
    for (int i = 0; i < 2; ++i)
        if (RowAvailable(i))
            EnableRow(i, RowOn(i));
}

void CMoireDlg::accept() {
    m_monitor.CommitItem(kHMoire);
    m_monitor.CommitItem(kVMoire);
    if (RevisionB()) {
        m_monitor.CommitHMoireOn(m_bHMoireOn);
        m_monitor.CommitVMoireOn(m_bVMoireOn);
    } else {
        m_monitor.CommitHMoireOn(m_bMoireOn);
        m_monitor.CommitVMoireOn(m_bMoireOn);
    }
    m_monitor.StoreInMemory(false);
    CAdjustDialog::accept();
}

void CMoireDlg::reject() {
    m_monitor.RevertItem(kHMoire);
    m_monitor.RevertItem(kVMoire);
    m_monitor.RevertFlag(1);
    m_monitor.RevertFlag(2);
    CAdjustDialog::reject();
}
