#pragma once

#include "dialogs/AdjustDialog.h"

class QPlainTextEdit;

// "Convergence Adjustment": instructions only. The user drags the convergence on the
// full-screen window behind the dialog; the dialog raises the contrast to its maximum so
// the purple lines show clearly, and at the end keeps and stores what was set (OK) or puts
// it back (Cancel); the contrast returns to its old value either way. It has no parent and
// is not modal: the caller shows it and waits for finished(), so the full-screen window
// keeps its mouse input (exec() would block it). It leaves the change notifications where
// they are.
class CConvergenceDlg : public CAdjustDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 140;

    CConvergenceDlg(CMonitor& monitor, QObject* notifyBack);

    void accept() override;
    void reject() override;

protected:
    void OnInitDialog() override;

private:
    QPlainTextEdit* m_pText = nullptr; // 1066
};
