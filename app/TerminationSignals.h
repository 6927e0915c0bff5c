#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (kill, a logout, Ctrl+C in the starting terminal, that terminal
// closing) reach the program as an ordinary event instead of ending it on the spot: the
// handler only writes the signal's number into a pipe that the event loop watches. A second
// signal of a kind already received ends the program as before, for a user who cannot wait.
// One object at a time; its end puts the previous handlers back.
class CTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit CTerminationSignals(QObject* parent = nullptr);
    ~CTerminationSignals() override;
    CTerminationSignals(const CTerminationSignals&) = delete;
    CTerminationSignals& operator=(const CTerminationSignals&) = delete;

    // False (the handlers unchanged) when the pipe cannot be made.
    bool Install();

signals:
    void received(int signalNumber);

private:
    void OnReadable();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    bool m_installed = false;
    struct sigaction m_previous[3] = {};
};
