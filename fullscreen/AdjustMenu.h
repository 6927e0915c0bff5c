#pragma once

#include <span>

class QMenu;
class QWidget;

// The popup menu of the adjustment mode (menu 112): its commands, and which of them can be
// chosen and carry a check mark for a given monitor and state of the combination switches.
namespace AdjustMenu {

constexpr int kVLinearity = 32813;
constexpr int kMoire = 32811;
constexpr int kConvergence = 32812;
constexpr int kAutoSizing = 1009;
constexpr int kSizeCombo = 32779;
constexpr int kDistortionCombo = 32814;
constexpr int kHelp = 32815;
// The submenu of screens the mode can cover (filled when the menu opens).
constexpr int kScreens = 32999;
constexpr int kOK = 32828;
constexpr int kCancel = 32829;

// One line of the menu, top to bottom; id 0 is a separator. Texts are English source texts,
// translated in context "CAdjustWnd".
struct Entry {
    int id;
    const char* text;
};
std::span<const Entry> Entries();

// What the rules look at when the menu opens.
struct Situation {
    bool vlinearityAvailable = false; // item 15
    bool hconvAvailable = false;      // item 16
    bool vconvAvailable = false;      // item 17
    bool autoSizeAvailable = false;   // item 33
    int layout = 1;                   // handle layout 0, 1 or 2
    bool comboAvailable = true;       // the combination coefficients could be read
    bool sizeCombo = false;
    bool distortionCombo = false;
};

struct ItemState {
    bool enabled = true;
    bool checked = false;
};

// The distortion switch once the menu has opened: layout 0 has no distortion handles, so
// opening the menu there turns it off for good.
bool DistortionComboOnOpening(const Situation& situation);
// Enable and check state of a command; `situation` as after opening (see above).
ItemState StateOf(int id, const Situation& situation);

// The handle kinds whose markers change clip when the size / distortion switch is
// toggled.
bool SizeComboKind(int kind);
bool DistortionComboKind(int kind);

// The menu as widgets: one action per command, its data the command id; kScreens is an
// empty submenu.
QMenu* Build(QWidget* parent);
// The submenu of screens in a built menu.
QMenu* ScreenMenu(const QMenu& menu);
// The place of a command among the menu's entries that are not separators (1 for the
// first), as the keyboard steps through them; 0 for none.
int Position(int id);
// Enables and checks the actions of a built menu.
void Apply(QMenu& menu, const Situation& situation);

} // namespace AdjustMenu
