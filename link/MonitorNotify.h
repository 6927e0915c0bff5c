#pragma once

#include <QEvent>

// The controller's change notification (the program's message 0x402): sent synchronously
// to the registered notify object with the item number and its new value, or with item
// 78 and value 0 when the scan frequencies changed and the geometry was read again.
class CMonitorNotifyEvent : public QEvent {
public:
    static constexpr int kTimingChanged = 78;

    CMonitorNotifyEvent(int item, int value) : QEvent(EventType()), m_item(item), m_value(value) {}
    static QEvent::Type EventType() { return static_cast<QEvent::Type>(QEvent::User + 0x402); }

    int Item() const { return m_item; }
    int Value() const { return m_value; }

private:
    int m_item;
    int m_value;
};
