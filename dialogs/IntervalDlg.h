#pragma once

#include "dialogs/AdjustDialog.h"
#include "dialogs/ScreenSaverSettings.h"

class QComboBox;
class QPushButton;

// "Interval Time Setting": the monitor's power-saving delays. The delay before Mode 1 is
// bit 7 of the mode word; the Mode 1 duration (template 163, NUTEK, only) is item 32 as a
// list index of 5-minute steps. Each choice goes to the monitor at once; OK makes it the
// stored value, Cancel writes back the one from before. "Screen Saver" opens the desktop's
// own screen-blanking settings, the computer's side of power saving.
class CIntervalDlg : public CAdjustDialog {
    Q_OBJECT
public:
    static constexpr int kNutekTemplate = 163;
    static constexpr int kVesaTemplate = 164;

    CIntervalDlg(CMonitor& monitor, int templateId, QObject* notifyBack,
                 const SettingsProgram& screenSaver = FindScreenSaverSettings());

    void accept() override;
    void reject() override;

protected:
    void OnInitDialog() override;
    void OnNotify(int item, int value) override;

private:
    void BuildNutekForm();
    void BuildVesaForm();
    void SelectDuration(int index);

    SettingsProgram m_screenSaver;
    QComboBox* m_pDelay = nullptr;    // 1084: "5 seconds" / "3 minutes"
    QComboBox* m_pDuration = nullptr; // 1085: 0 .. 60 minutes
    QPushButton* m_pScreenSaver = nullptr;
    int m_nTemplate;
    int m_nMarkedDelay = 0; // the delay when the dialog opened
};
