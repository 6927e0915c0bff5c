#pragma once

#include "platform/UserMessages.h"

// Fuzz targets run millions of inputs: what the program would tell the user is dropped.
class CSilentMessages : public IUserMessages {
public:
    MsgResult Show(int, MsgButtons, const QString&) override { return MsgResult::Ok; }
    void Beep() override {}
};
