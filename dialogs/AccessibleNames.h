#pragma once

#include <QString>

class CTrackBar;
class CUpDown;

// What a screen reader speaks for the controls that have no label of their own beside
// them, or whose label is shared by a whole group.
namespace AccessibleNames {

// A control's text as spoken: the access key's "&" left out ("&&" is a plain "&", a
// Japanese "(&B)" goes whole), a trailing colon too.
QString Plain(const QString& text);

// Names one adjustment row after the quantity it shows: the slider "<name>", the value
// box "<name> value", the spin's arrows "Increase <name>" and "Decrease <name>". Called
// again when the row shows another quantity.
void NameSliderRow(CTrackBar* slider, CUpDown* spin, const QString& name);

} // namespace AccessibleNames
