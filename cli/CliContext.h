#pragma once

#include <QStringList>

class CCliMessages;
class CCliSession;
class CMonitor;
class QJsonObject;
struct CliCommand;

// What a command's handler works with: its arguments, the connected monitor, the output
// streams and the failure conventions of qelt32ctl.
class CCliContext {
public:
    CCliContext(const CliCommand& command, QStringList args, bool json, CCliMessages& messages,
                CCliSession& session);

    const QString& CommandName() const;
    const QStringList& Args() const { return m_args; }
    bool Json() const { return m_bJson; }
    // Finds and reads the monitor (once); Exit::Ok or the status to end with. Call it after
    // the arguments were checked, so that bad input never reaches a port.
    int Connect();
    // The monitor, after Connect() gave Exit::Ok.
    CMonitor& Monitor();

    // One line on standard output.
    void Print(const QString& line);
    // One JSON object as a single line on standard output.
    void PrintJson(const QJsonObject& object);
    // One line on standard error that is not a failure ("300 is above the maximum...").
    void Note(const QString& text);

    // Exit::Ok when the monitor has `item`; otherwise a usage error "this monitor has no
    // <what>" (what defaults to the item's name).
    int RequireAvailable(int item, const QString& what = QString());

    // Bad input: prints "qelt32ctl: <command>: <reason>" and gives Exit::Usage.
    int UsageError(const QString& reason);
    // A monitor operation failed. The controller has usually told the user why already;
    // the reason is printed only when it has not. Gives Exit::Failure.
    int MonitorFailed(const QString& reason);

private:
    const CliCommand& m_command;
    QStringList m_args;
    bool m_bJson;
    CCliMessages& m_messages;
    CCliSession& m_session;
    int m_nMessagesAtStart;
};
