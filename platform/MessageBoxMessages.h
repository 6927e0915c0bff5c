#pragma once

#include "platform/UserMessages.h"

class QWidget;

// Message boxes with the caption "Vistrel Pro" and the exclamation icon, and the
// desktop's beep.
class CMessageBoxMessages : public IUserMessages {
public:
    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override;
    NoMonitorChoice AskNoMonitor(const QString& reasons) override;
    void Beep() override;
};
