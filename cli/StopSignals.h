#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Turns SIGINT (Ctrl+C), SIGTERM and SIGHUP (the terminal went away) into a stop of the run.
// The handler asks every port to stop at once (platform/PortInterrupt.h), so that a command
// waiting on the monitor ends promptly and the program can say what it did and give the
// port back; `stopped` follows on the event loop for a command that runs until stopped.
// The handler fires once: a second signal ends the program as it would have without us
// (the port's release guard still gives the port back). Installed for the object's
// lifetime; the previous handlers come back when it goes. One at a time.
class CStopSignals : public QObject {
    Q_OBJECT
public:
    CStopSignals();
    ~CStopSignals() override;

    // The one in place, or null.
    static CStopSignals* Active();
    // The signal that stopped the run; 0 while none did.
    static int Received();
    // "SIGINT", "SIGTERM", "SIGHUP".
    static QString Name(int signalNumber);
    // The exit status of a run ended by `signalNumber`, as a shell reports it: 128 + number.
    static int ExitStatus(int signalNumber) { return 128 + signalNumber; }

    // The running command ends normally on a stop (watch): its own status, no report.
    void TakeAsNormalEnd() { m_bNormalEnd = true; }
    bool IsNormalEnd() const { return m_bNormalEnd; }

signals:
    void stopped(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bNormalEnd = false;
};
