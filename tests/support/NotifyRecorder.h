#pragma once

#include "link/MonitorNotify.h"

#include <QObject>

#include <functional>
#include <utility>
#include <vector>

// A notify window that records every change notification it receives.
class CNotifyRecorder : public QObject {
public:
    std::vector<std::pair<int, int>> received; // (item, value)
    std::function<void(int item)> onNotify;    // runs inside the notification

    bool event(QEvent* event) override {
        if (event->type() != CMonitorNotifyEvent::EventType())
            return QObject::event(event);
        const auto* notify = static_cast<CMonitorNotifyEvent*>(event);
        received.emplace_back(notify->Item(), notify->Value());
        if (onNotify)
            onNotify(notify->Item());
        return true;
    }
};
