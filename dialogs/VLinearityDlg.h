#pragma once

#include "dialogs/AdjustDialog.h"

#include <array>
#include <cstdint>

// "Vertical Linearity Adjustment": the linearity balance and the linearity of the picture.
// Each row carries a geometry item along by the combination coefficient, so that the
// picture keeps its place: the balance moves the vertical position, the linearity the
// vertical size. OK keeps and stores; Cancel writes all four items back as they were when
// the dialog opened.
class CVLinearityDlg : public CAdjustDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 144;

    CVLinearityDlg(CMonitor& monitor, QObject* notifyBack, QWidget* parent);

    void accept() override;
    void reject() override;

    // The change of the linked item that goes with a change `diff` of the row's item:
    // -coefficient x diff, rounded half away from zero.
    static int Compensation(double coefficient, int diff);

protected:
    void OnInitDialog() override;
    void OnNotify(int item, int value) override;
    void SendRow(SliderBinding& row, int value) override;

private:
    // What a row adds to the frame's row: the item it carries along, the coefficient's
    // entry, and both items' values at opening.
    struct Link {
        std::uint8_t linkedItem = 0;
        std::uint8_t coefIndex = 0;
        std::uint16_t startValue = 0;
        std::uint16_t startLinked = 0;
    };

    void BuildForm();

    std::array<Link, 2> m_links{}; // in row order
};
