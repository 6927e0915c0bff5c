#include "fullscreen/AdjustMenu.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

using namespace AdjustMenu;

namespace {

Situation Everything() {
    Situation s;
    s.vlinearityAvailable = s.hconvAvailable = s.vconvAvailable = s.autoSizeAvailable = true;
    s.layout = 1;
    s.comboAvailable = s.sizeCombo = s.distortionCombo = true;
    return s;
}

QAction* ActionOf(QMenu& menu, int id) {
    for (QAction* action : menu.actions())
        if (!action->isSeparator() && action->data().toInt() == id)
            return action;
    return nullptr;
}

} // namespace

TEST(AdjustMenuTest, MenuHasItsCommandsInOrderWithSeparators) {
    std::vector<int> ids;
    for (const Entry& entry : Entries())
        ids.push_back(entry.id);
    EXPECT_EQ(ids, (std::vector<int>{kVLinearity, kMoire, kConvergence, kAutoSizing, 0, kSizeCombo,
                                     kDistortionCombo, 0, kScreens, kHelp, 0, kOK, kCancel}));
    EXPECT_STREQ(Entries()[1].text, "Moiré Reduction...");
    EXPECT_STREQ(Entries()[6].text, "Distortion Combination Function ON");
}

// The keyboard's way to a command: separators are stepped over, the submenu counts.
TEST(AdjustMenuTest, PositionsCountTheEntriesAKeyboardStepsThrough) {
    EXPECT_EQ(Position(kVLinearity), 1);
    EXPECT_EQ(Position(kAutoSizing), 4);
    EXPECT_EQ(Position(kSizeCombo), 5);
    EXPECT_EQ(Position(kScreens), 7);
    EXPECT_EQ(Position(kHelp), 8);
    EXPECT_EQ(Position(kCancel), 10);
    EXPECT_EQ(Position(0), 0);
    EXPECT_EQ(Position(12345), 0);
}

TEST(AdjustMenuTest, CommandsFollowTheirItemsAvailability) {
    Situation s = Everything();
    for (int id : {kVLinearity, kMoire, kConvergence, kAutoSizing, kHelp, kOK, kCancel})
        EXPECT_TRUE(StateOf(id, s).enabled) << id;

    s.vlinearityAvailable = false;
    s.autoSizeAvailable = false;
    EXPECT_FALSE(StateOf(kVLinearity, s).enabled);
    EXPECT_FALSE(StateOf(kAutoSizing, s).enabled);
    EXPECT_TRUE(StateOf(kMoire, s).enabled); // moiré is always there

    // Convergence needs one of its two directions.
    s.hconvAvailable = false;
    EXPECT_TRUE(StateOf(kConvergence, s).enabled);
    s.vconvAvailable = false;
    EXPECT_FALSE(StateOf(kConvergence, s).enabled);
    s.hconvAvailable = true;
    EXPECT_TRUE(StateOf(kConvergence, s).enabled);
}

TEST(AdjustMenuTest, CombinationSwitchesPerLayoutAndFile) {
    Situation s = Everything();
    EXPECT_TRUE(StateOf(kSizeCombo, s).enabled);
    EXPECT_TRUE(StateOf(kSizeCombo, s).checked);
    EXPECT_TRUE(StateOf(kDistortionCombo, s).enabled);
    EXPECT_TRUE(StateOf(kDistortionCombo, s).checked);
    EXPECT_TRUE(DistortionComboOnOpening(s));

    s.sizeCombo = false;
    s.distortionCombo = false;
    EXPECT_FALSE(StateOf(kSizeCombo, s).checked);
    EXPECT_FALSE(StateOf(kDistortionCombo, s).checked);

    // Layout 0 has no distortion handles: grayed, and forced off when the menu opens.
    s = Everything();
    s.layout = 0;
    EXPECT_FALSE(DistortionComboOnOpening(s));
    EXPECT_FALSE(StateOf(kDistortionCombo, s).enabled);
    EXPECT_FALSE(StateOf(kDistortionCombo, s).checked);
    EXPECT_TRUE(StateOf(kSizeCombo, s).enabled);

    // Layout 2 is like layout 1.
    s.layout = 2;
    EXPECT_TRUE(DistortionComboOnOpening(s));
    EXPECT_TRUE(StateOf(kDistortionCombo, s).enabled);

    // Without coefficients both switches are grayed whatever they hold.
    s = Everything();
    s.comboAvailable = false;
    EXPECT_FALSE(StateOf(kSizeCombo, s).enabled);
    EXPECT_FALSE(StateOf(kDistortionCombo, s).enabled);
}

TEST(AdjustMenuTest, SwitchesRestartTheMarkersOfTheirKinds) {
    std::vector<int> size, distortion;
    for (int kind = 0; kind < 34; ++kind) {
        if (SizeComboKind(kind))
            size.push_back(kind);
        if (DistortionComboKind(kind))
            distortion.push_back(kind);
    }
    EXPECT_EQ(size, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 24, 25, 26}));
    EXPECT_EQ(distortion, (std::vector<int>{8, 9, 10, 11, 12, 15, 20, 21, 22, 23, 29, 30}));
}

TEST(AdjustMenuTest, BuiltMenuCarriesTheRules) {
    std::unique_ptr<QMenu> menu(Build(nullptr));
    ASSERT_EQ(menu->actions().size(), 13);
    ASSERT_NE(ScreenMenu(*menu), nullptr);
    EXPECT_EQ(ActionOf(*menu, kScreens)->menu(), ScreenMenu(*menu));
    ASSERT_NE(ActionOf(*menu, kOK), nullptr);
    EXPECT_EQ(ActionOf(*menu, kOK)->text(), "OK");
    EXPECT_TRUE(ActionOf(*menu, kSizeCombo)->isCheckable());
    EXPECT_FALSE(ActionOf(*menu, kHelp)->isCheckable());

    Situation s = Everything();
    s.layout = 0;
    s.autoSizeAvailable = false;
    s.sizeCombo = true;
    Apply(*menu, s);
    EXPECT_FALSE(ActionOf(*menu, kAutoSizing)->isEnabled());
    EXPECT_FALSE(ActionOf(*menu, kDistortionCombo)->isEnabled());
    EXPECT_FALSE(ActionOf(*menu, kDistortionCombo)->isChecked());
    EXPECT_TRUE(ActionOf(*menu, kSizeCombo)->isChecked());
    EXPECT_TRUE(ActionOf(*menu, kCancel)->isEnabled());
}
