#pragma once

#include "link/Monitor.h"

// An auto-size notice that counts its runs and auto-sizes at once, without a dialog.
class CCountingNotice : public IAutoSizeNotice {
public:
    void Run(CMonitor& monitor) override {
        ++runs;
        monitor.AutoSize();
    }
    int runs = 0;
};
