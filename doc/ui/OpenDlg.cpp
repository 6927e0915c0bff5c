#include "doc/ui/OpenDlg.h"

#include "doc/LoadPlan.h"
#include "platform/PlatformFlags.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>

namespace {

constexpr int kScreenBox = 1006;
constexpr int kColorBox = 1007;
constexpr int kPowerBox = 1117;
constexpr int kGroupTemplate = 201;

} // namespace

COpenDialogBase::COpenDialogBase(QWidget* parent) : QFileDialog(parent) {
    // Our own widgets go into the dialog, which the desktop's native dialog cannot take.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    const LoadGroups groups = LoadGroups::FromProfile();
    m_bScreen = groups.screen;
    m_bColor = groups.color;
    m_bPower = groups.power;
}

void COpenDialogBase::CreateBoxes(QWidget* parent) {
    const std::array<std::pair<int, int>, 3> boxes = {{{kScreenBox, Str::ScreenData},
                                                       {kColorBox, Str::ColorData},
                                                       {kPowerBox, Str::PowerData}}};
    const std::array<int, 3> values = {m_bScreen, m_bColor, m_bPower};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        m_boxes[i] = new QCheckBox(LoadAppString(boxes[i].second), parent);
        m_boxes[i]->setObjectName(QString::number(boxes[i].first));
        m_boxes[i]->setChecked(values[i] != 0);
    }
}

QCheckBox* COpenDialogBase::Box(int id) const {
    for (QCheckBox* box : m_boxes)
        if (box && box->objectName() == QString::number(id))
            return box;
    return nullptr;
}

void COpenDialogBase::BoxesToMembers() {
    m_bScreen = m_boxes[0]->isChecked();
    m_bColor = m_boxes[1]->isChecked();
    m_bPower = m_boxes[2]->isChecked();
}

void COpenDialogBase::accept() {
    const QStringList files = selectedFiles();
    // Until a file is really chosen (a folder to enter, a name that does not exist), the
    // dialog handles the press itself.
    if (files.size() != 1 || !QFileInfo(files.front()).isFile()) {
        QFileDialog::accept();
        return;
    }
    BoxesToMembers();
    if (!m_bScreen && !m_bColor && !m_bPower)
        return; // nothing to load: stay open, as the user left it
    LoadGroups{m_bScreen != 0, m_bColor != 0, m_bPower != 0}.WriteToProfile();
    QFileDialog::accept();
}

COpen::COpen(QWidget* parent) : COpenDialogBase(parent) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QString::number(kGroupTemplate));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    CreateBoxes(panel);
    for (QCheckBox* box : Boxes())
        row->addWidget(box);
    auto* grid = qobject_cast<QGridLayout*>(layout());
    Q_ASSERT(grid); // the non-native dialog is built on a grid
    grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
}

COpenLegacy::COpenLegacy(QWidget* parent) : COpenDialogBase(parent) {
    CreateBoxes(this);
    // The strip below the dialog's own controls that the boxes are placed in.
    QMargins margins = layout()->contentsMargins();
    margins.setBottom(margins.bottom() + kExtraHeight);
    layout()->setContentsMargins(margins);
    PlaceBoxes();
}

void COpenLegacy::resizeEvent(QResizeEvent* event) {
    QFileDialog::resizeEvent(event);
    PlaceBoxes();
}

void COpenLegacy::PlaceBoxes() {
    const int w = width() / 3;
    const int top = height() - kExtraHeight;
    for (int i = 0; i < 3; ++i)
        Boxes()[i]->setGeometry(18 + i * w, top, w, 35);
}

std::unique_ptr<COpenDialogBase> CreateOpenDialog(QWidget* parent) {
    std::unique_ptr<COpenDialogBase> dialog;
    if (Platform().newShell)
        dialog = std::make_unique<COpen>(parent);
    else
        dialog = std::make_unique<COpenLegacy>(parent);
    dialog->setWindowTitle(LoadAppString(Str::OpenTitle));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter("VT Pro(*.qlt)");
    dialog->setDefaultSuffix("qlt");
    return dialog;
}
