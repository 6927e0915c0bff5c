#pragma once

#include "platform/UserMessages.h"

#include <QString>

// The controller's messages on a terminal: one line on standard error per message,
// prefixed with the program's name. A message that repeats the one just printed (every
// retried write of a dead line tells the same) is printed once. The failure count lets the
// program end with a failure status whenever the user was told of one.
class CCliMessages : public IUserMessages {
public:
    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override;
    void Beep() override { ++m_nBeeps; }

    int Shown() const { return m_nShown; }
    // Communication failures reported so far.
    int Failures() const { return m_nFailures; }
    int Beeps() const { return m_nBeeps; }

private:
    QString m_lastText;
    int m_nShown = 0;
    int m_nFailures = 0;
    int m_nBeeps = 0;
};

// Prints "qelt32ctl: <text>" on standard error, control characters escaped. Once the run is
// stopped by a signal, failures are its consequence and are not printed: the stop report
// says what happened.
void PrintError(const QString& text);
// The report of a stopped run, in the same form.
void PrintStopReport(const QString& text);
