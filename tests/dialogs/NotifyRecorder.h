#pragma once

#include "link/MonitorNotify.h"

#include <QObject>

#include <utility>
#include <vector>

// Stands in for the window that opened a dialog: records the change notifications it gets.
class CNotifyRecorder : public QObject {
public:
    std::vector<std::pair<int, int>> received; // (item, value)

protected:
    void customEvent(QEvent* event) override {
        if (event->type() == CMonitorNotifyEvent::EventType()) {
            const auto* notify = static_cast<CMonitorNotifyEvent*>(event);
            received.emplace_back(notify->Item(), notify->Value());
        }
    }
};
