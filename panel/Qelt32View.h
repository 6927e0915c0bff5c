#pragma once

#include "fullscreen/AdjustWnd.h"
#include "panel/ColorTempScale.h"
#include "panel/CustomColorTable.h"

#include <QPointer>
#include <QWidget>

class CAnimateCtrl;
class CColorTempBar;
class CMonitor;
class CTrackBar;
class CUpDown;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

// The main panel (form template 101): brightness/contrast, colour temperature, power
// saving, the dialogs and the full-screen adjustment, the keypad steps. The controller's
// notify object whenever no dialog has taken the notifications. It keeps the user's
// custom colour values and chosen temperature per monitor in the profile.
class CQelt32View : public QWidget {
    Q_OBJECT
public:
    CQelt32View(CMonitor& monitor, CAdjustWnd* adjustWnd, QWidget* parent = nullptr);
    ~CQelt32View() override; // saves the profile
    // Writes "colortemp" and the custom colour values of the monitor's section.
    void SaveProfile();

    // The full-screen window, when it is made after the view.
    void SetAdjustWnd(CAdjustWnd* adjustWnd);
    // Reads the monitor into the controls and takes the notifications. Runs once; the
    // first showing of the view runs it if nobody did before.
    void OnInitialUpdate();
    // Shows the monitor's values again after a change the view was not told about item by
    // item (a settings file loaded, a reset): level, temperature, Standard/Custom, power
    // saving. Does nothing before the initial update.
    void OnUpdate();
    // A numeric-keypad command (32771..32778, 32816..32823): one step of position or
    // size. False for another id.
    bool OnKeypadCommand(int command);

    QSize sizeHint() const override { return size(); }
    const CCustomColorTable& CustomColors() const { return m_customColors; }
    int TempMode() const { return m_nTempMode; } // 0 Standard, 1 Custom

protected:
    void customEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildForm();
    QString ProfileSection() const;

    // Standard or Custom, and the step, as the monitor's colours say.
    void FollowColorTemp();
    void ShowColorTemp(int step);
    void ShowTempMode();
    void ShowLevel();
    void ShowPowerSave();

    void OnSelect(int id);
    void NameLevelRow(int id);
    void OnLevelSlider(int pos);
    void OnLevelSpin(int pos);
    void OnTempSlider(int step);
    void OnTempSpin(int step);
    void OnTempMode(int id);
    void OnPowerSave(int id);
    void OnScreenAdjustment();
    void OnColorDetail();
    void OnIntervalDetail();
    void OnNotify(int item, int value);

    CMonitor& m_monitor;
    QPointer<CAdjustWnd> m_pAdjustWnd;
    CColorTempScale m_scale;
    CCustomColorTable m_customColors;

    int m_nSelect = 0;             // 0 brightness, 1 contrast
    const int m_nItem[2] = {0, 1}; // the item each selection adjusts
    int m_nLevel = 0;              // the value box of the level
    int m_nPowerSave = -1;         // 0 VESA DPMS, 1 NUTEK, 2 OFF
    int m_nTempMode = -1;          // 0 Standard, 1 Custom
    bool m_bAnimStarted = false;
    bool m_bInitialised = false;

    QButtonGroup* m_pSelectGroup = nullptr;
    QButtonGroup* m_pTempModeGroup = nullptr;
    QButtonGroup* m_pPowerGroup = nullptr;
    CTrackBar* m_pLevel = nullptr;            // 1075
    QLabel* m_pLevelMax = nullptr;            // 1151
    CUpDown* m_pLevelSpin = nullptr;          // 1150 with box 1149
    CTrackBar* m_pTemp = nullptr;             // 1077
    CUpDown* m_pTempSpin = nullptr;           // 1148 with box 1147
    QLineEdit* m_pTempText = nullptr;         // 1147
    CColorTempBar* m_pColorBar = nullptr;     // 1076
    QLabel* m_pTempLow = nullptr;             // 1078
    QLabel* m_pTempHigh = nullptr;            // 1079
    QLabel* m_pTempCaption = nullptr;         // 1081
    QPushButton* m_pColorDetail = nullptr;    // 1069
    QPushButton* m_pIntervalDetail = nullptr; // 1070
    CAnimateCtrl* m_pScreenAnim = nullptr;    // 1050
    CAnimateCtrl* m_pPowerAnim = nullptr;     // 1052
};
