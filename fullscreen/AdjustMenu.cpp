#include "fullscreen/AdjustMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <array>

namespace AdjustMenu {

namespace {

constexpr std::array<Entry, 13> kEntries = {{
    {kVLinearity, QT_TRANSLATE_NOOP("CAdjustWnd", "Vertical Linearity...")},
    {kMoire, QT_TRANSLATE_NOOP("CAdjustWnd", "Moiré Reduction...")},
    {kConvergence, QT_TRANSLATE_NOOP("CAdjustWnd", "Convergence...")},
    {kAutoSizing, QT_TRANSLATE_NOOP("CAdjustWnd", "Auto-Sizing")},
    {0, nullptr},
    {kSizeCombo, QT_TRANSLATE_NOOP("CAdjustWnd", "Size Combination Function ON")},
    {kDistortionCombo, QT_TRANSLATE_NOOP("CAdjustWnd", "Distortion Combination Function ON")},
    {0, nullptr},
    {kScreens, QT_TRANSLATE_NOOP("CAdjustWnd", "Screen")},
    {kHelp, QT_TRANSLATE_NOOP("CAdjustWnd", "Help")},
    {0, nullptr},
    {kOK, QT_TRANSLATE_NOOP("CAdjustWnd", "OK")},
    {kCancel, QT_TRANSLATE_NOOP("CAdjustWnd", "Cancel")},
}};

} // namespace

std::span<const Entry> Entries() {
    return kEntries;
}

bool DistortionComboOnOpening(const Situation& situation) {
    return situation.layout != 0 && situation.distortionCombo;
}

ItemState StateOf(int id, const Situation& s) {
    switch (id) {
    case kVLinearity:
        return {s.vlinearityAvailable, false};
    case kConvergence:
        return {s.hconvAvailable || s.vconvAvailable, false};
    case kAutoSizing:
        return {s.autoSizeAvailable, false};
    case kSizeCombo:
        return {s.comboAvailable, s.sizeCombo};
    case kDistortionCombo:
        return {s.layout != 0 && s.comboAvailable, DistortionComboOnOpening(s)};
    default:
        return {};
    }
}

bool SizeComboKind(int kind) {
    return (kind >= 0 && kind <= 7) || (kind >= 24 && kind <= 26);
}

bool DistortionComboKind(int kind) {
    return (kind >= 8 && kind <= 12) || kind == 15 || (kind >= 20 && kind <= 23) || kind == 29 ||
           kind == 30;
}

QMenu* Build(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menu112"));
    for (const Entry& entry : kEntries) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        const QString text = QCoreApplication::translate("CAdjustWnd", entry.text);
        QAction* action =
            entry.id == kScreens ? menu->addMenu(new QMenu(text, menu)) : menu->addAction(text);
        action->setData(entry.id);
        action->setObjectName(QString::number(entry.id));
        action->setCheckable(entry.id == kSizeCombo || entry.id == kDistortionCombo);
    }
    return menu;
}

QMenu* ScreenMenu(const QMenu& menu) {
    for (QAction* action : menu.actions())
        if (action->data().toInt() == kScreens)
            return action->menu();
    return nullptr;
}

int Position(int id) {
    if (id == 0)
        return 0;
    int position = 0;
    for (const Entry& entry : kEntries) {
        position += entry.id != 0;
        if (entry.id == id)
            return position;
    }
    return 0;
}

void Apply(QMenu& menu, const Situation& situation) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const ItemState state = StateOf(action->data().toInt(), situation);
        action->setEnabled(state.enabled);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

} // namespace AdjustMenu
