#include "dialogs/ConvergenceDlg.h"

#include "dialogs/FormBuilder.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"

#include <QPlainTextEdit>

namespace {
constexpr int kHConv = 16, kVConv = 17, kVConvTop = 20, kVConvBottom = 21;
} // namespace

CConvergenceDlg::CConvergenceDlg(CMonitor& monitor, QObject* notifyBack)
    : CAdjustDialog(monitor, Frame{kTemplate, true, true}, notifyBack, nullptr) {
    setWindowTitle(tr("Convergence Adjustment"));
    CFormBuilder form(this);
    form.FixFormSize(236, 118);
    m_pText = form.Place(new QPlainTextEdit, 1066, 7, 7, 222, 84);
    m_pText->setReadOnly(true);
    m_pText->setFocusPolicy(Qt::NoFocus);
    m_pText->setAccessibleName(windowTitle());
    AddOkCancel(form, {124, 97}, {179, 97});
    SetHelpControls({1066});
}

void CConvergenceDlg::OnInitDialog() {
    int vconvStatus = 1;
    m_monitor.GetItem(kVConv, nullptr, nullptr, &vconvStatus);
    m_monitor.MarkItem(kVConv);
    m_monitor.MarkItem(kVConvTop);
    m_monitor.MarkItem(kVConvBottom);
    m_monitor.MarkItem(kHConv);
    // Monitors that adjust the top and bottom on their own get the longer instructions.
    const bool areas = vconvStatus == 0 && m_monitor.GetProtocolRevision() != 0;
    QString text = LoadAppString(areas ? Str::ConvergenceLong : Str::ConvergenceShort);
    m_pText->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    PlaceDialog();
    std::int16_t contrastMax = 0;
    m_monitor.MarkItem(Items::Contrast);
    m_monitor.GetItem(Items::Contrast, &contrastMax, nullptr, nullptr);
    m_monitor.WriteItem(Items::Contrast, static_cast<std::uint16_t>(contrastMax));
}

void CConvergenceDlg::accept() {
    for (int item : {kVConv, kVConvTop, kVConvBottom, kHConv})
        m_monitor.CommitItem(item);
    m_monitor.RevertItem(Items::Contrast);
    // Stored with the contrast already back.
    m_monitor.StoreInMemory(false);
    CAdjustDialog::accept();
}

void CConvergenceDlg::reject() {
    for (int item : {kVConv, kVConvTop, kVConvBottom, kHConv, Items::Contrast})
        m_monitor.RevertItem(item);
    CAdjustDialog::reject();
}
