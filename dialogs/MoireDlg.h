#pragma once

#include "dialogs/AdjustDialog.h"

class QCheckBox;
class QLabel;

// "Moiré Reduction": switches the monitor's moiré reduction on or off and sets its
// strength, horizontally and vertically. The switches are bits of the mode word; monitors
// of protocol revision "B" switch each direction on its own, all others both together. A
// row whose direction is off, or whose item the monitor lacks, cannot be moved. OK keeps
// and stores; Cancel puts back both strengths and both switches.
class CMoireDlg : public CAdjustDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 157;

    CMoireDlg(CMonitor& monitor, QObject* notifyBack, QWidget* parent);

    void accept() override;
    void reject() override;

protected:
    void OnInitDialog() override;
    void OnNotify(int item, int value) override;

private:
    void BuildForm();
    bool RevisionB() const;
    // Reads the switches from the mode word into the members.
    void ReadFlags();
    // The check boxes show the members / the members take the check boxes' state.
    void FlagsToBoxes();
    void FlagsFromBoxes();
    // The switch that governs row 0 (horizontal) or 1 (vertical).
    bool RowOn(int row) const;
    // Enables the slider, box and spin of a row.
    void EnableRow(int row, bool on);
    bool RowAvailable(int row) const;
    // A switch moved: the row follows it and the monitor gets the bit.
    void SwitchRow(int row, bool on);
    void OnBothSwitch();
    void OnRowSwitch(int row);

    QCheckBox* m_pHSwitch = nullptr;    // 1000
    QCheckBox* m_pVSwitch = nullptr;    // 1001
    QCheckBox* m_pBothSwitch = nullptr; // 1006
    QLabel* m_pHeadings[2] = {};        // 1043, 1044
    bool m_bMoireOn = false;
    bool m_bHMoireOn = false;
    bool m_bVMoireOn = false;
};
