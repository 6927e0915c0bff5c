#pragma once

#include <cstdint>
#include <vector>

class CMonitor;
class CTrackBar;
class CUpDown;
class QLabel;

// One adjustment row of a dialog: a "0" label, the slider, a label with the item's
// maximum, a read-only box with the value and the spin attached to that box. `value` is
// the row's number as the box shows it.
struct SliderBinding {
    std::uint8_t item = 0;
    CTrackBar* slider = nullptr;
    QLabel* maxLabel = nullptr; // null in rows without labels
    int value = 0;
    CUpDown* spin = nullptr;
};

// Reads the item's maximum and current value from the controller's cache and sets the
// row up: slider range 0..maximum (line 1, page 20) at the current value, the maximum
// label, `value`, and the spin's range.
void SetUpRow(SliderBinding& row, const CMonitor& monitor);
// Shows every row's `value` in its box.
void TransferToBoxes(std::vector<SliderBinding>& rows);
// Reads every box back into its row's `value` (the spin has put its new position there).
void TransferFromBoxes(std::vector<SliderBinding>& rows);
// The row that shows `item`, or null.
SliderBinding* FindRow(std::vector<SliderBinding>& rows, int item);
