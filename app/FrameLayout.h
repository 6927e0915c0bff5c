#pragma once

#include <cstdint>
#include <vector>

// Which menu and toolbar the main frame carries for the connected monitor, and what is on
// them. Revision is the controller's protocol revision: 0 "B", 1 "C", 0xFF any other.
namespace FrameLayout {

constexpr int kSeparator = 0;

constexpr int kMenuDefault = 128; // every monitor but revision C
constexpr int kMenuRevisionC = 129;

constexpr int kToolbarRevisionB = 128;
constexpr int kToolbarThirdModel = 130; // no input buttons
constexpr int kToolbarOther = 132;

int ChooseMenu(std::uint8_t revision);
int ChooseToolbar(std::uint8_t revision, bool notThirdModel);

// Command ids of a toolbar's buttons in order, kSeparator between groups.
const std::vector<int>& ToolbarButtons(int toolbar);
// Runs of button positions that behave as one exclusive group (colour modes, inputs).
std::vector<std::vector<int>> ToolbarGroups(int toolbar);

} // namespace FrameLayout
