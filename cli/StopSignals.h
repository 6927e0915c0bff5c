#pragma once

#include <QObject>

class QSocketNotifier;

// Turns Ctrl+C (SIGINT) and SIGTERM into a call of `stopped` on the event loop, so that a
// command that runs until interrupted can end cleanly. The handlers are installed for the
// object's lifetime; the previous ones come back when it goes. One at a time.
class CStopSignals : public QObject {
    Q_OBJECT
public:
    CStopSignals();
    ~CStopSignals() override;

signals:
    void stopped(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
};
