#pragma once

#include <QWidget>

class CMonitor;
class CAdjustWnd;

// The main panel (form template 101): brightness/contrast, colour temperature, power
// saving, the dialogs and the full-screen adjustment, the keypad steps. The controller's
// notify object whenever no dialog has taken the notifications.
class CQelt32View : public QWidget {
    Q_OBJECT
public:
    CQelt32View(CMonitor& monitor, CAdjustWnd* adjustWnd, QWidget* parent = nullptr);
    ~CQelt32View() override;
};
