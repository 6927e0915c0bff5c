#pragma once

#include "dialogs/AdjustDialog.h"

#include <QPointer>

#include <array>

class CAdjustWnd;
class QButtonGroup;
class QCheckBox;
class QComboBox;

// "Color Setting": brightness, contrast, sub-contrast and the red, green and blue cutoff or
// gain, a factory colour temperature, and a full-screen test pattern behind the dialog
// while adjusting. Every move goes to the monitor at once; OK keeps and stores the values,
// Cancel writes back those from before the dialog opened.
class CColorSettingDlg : public CAdjustDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 161;
    // The colour-temperature step of each factory-setting entry, "4000K" .. "10000K".
    static constexpr std::array<int, 14> kTemperatureSteps = {0,  5,  10, 15, 20, 25, 30,
                                                              35, 40, 45, 50, 53, 55, 60};

    // `adjustWnd` shows the test pattern (may be null: no test pattern then); `mainWindow`
    // is hidden while it shows; `notifyBack` takes the notifications again at the end.
    CColorSettingDlg(CMonitor& monitor, CAdjustWnd* adjustWnd, QWidget* mainWindow,
                     QObject* notifyBack);

    void accept() override;
    void reject() override;

    // The full-screen pattern a row shows while it moves: 12 crosshatch, 4 grey scale.
    int RowPattern(int row) const { return m_patterns[row]; }

protected:
    void OnInitDialog() override;
    void OnNotify(int item, int value) override;
    void RowNotified(SliderBinding& row) override;
    void OnRowSlider(SliderBinding& row, int pos) override;
    void OnRowSpin(SliderBinding& row) override;

private:
    void BuildForm();
    void AssignBalanceRows();
    void OnBalance(int id);
    void OnFactorySetting(int index);
    void OnTestPattern();
    void ShowRowPattern(const SliderBinding& row);
    void EndTestPattern();

    QPointer<CAdjustWnd> m_pAdjustWnd;
    QPointer<QWidget> m_pMainWindow;
    QButtonGroup* m_pBalanceGroup = nullptr;
    QCheckBox* m_pTestPattern = nullptr;
    QComboBox* m_pFactory = nullptr;
    std::array<int, 6> m_patterns = {12, 4, 4, 12, 12, 12};
    int m_nBalance = 0; // 0 Cutoff, 1 Gain
    bool m_bTestPattern = false;
};
