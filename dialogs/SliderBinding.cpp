#include "dialogs/SliderBinding.h"

#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "link/Monitor.h"

#include <QLabel>
#include <QLineEdit>

void SetUpRow(SliderBinding& row, const CMonitor& monitor) {
    std::int16_t maximum = 0;
    std::uint16_t current = 0;
    monitor.GetItem(row.item, &maximum, &current, nullptr);
    // The monitor's maximum is a 16-bit count; the label shows it unsigned.
    const int top = static_cast<std::uint16_t>(maximum);
    row.slider->SetLineSize(1);
    row.slider->SetPageSize(20);
    row.slider->SetRangeMax(top);
    row.slider->SetPos(current);
    if (row.maxLabel)
        row.maxLabel->setText(QString::number(top));
    row.value = current;
    row.spin->SetRange(0, top);
}

void TransferToBoxes(std::vector<SliderBinding>& rows) {
    for (SliderBinding& row : rows)
        row.spin->SetPos(row.value);
}

void TransferFromBoxes(std::vector<SliderBinding>& rows) {
    for (SliderBinding& row : rows) {
        bool ok = false;
        const int value = row.spin->Buddy()->text().toInt(&ok);
        if (ok)
            row.value = value;
    }
}

SliderBinding* FindRow(std::vector<SliderBinding>& rows, int item) {
    for (SliderBinding& row : rows)
        if (row.item == item)
            return &row;
    return nullptr;
}
