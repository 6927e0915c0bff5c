#pragma once

#include "cli/Session.h"

#include <QStringList>

#include <vector>

class CMonitor;
class QJsonObject;
struct CliCommand;

// What a command's handler works with: its arguments, the connected monitor, the output
// streams and the failure conventions of qelt32ctl.
class CCliContext {
public:
    CCliContext(const CliCommand& command, QStringList args, bool json, CCliSession& session);

    const QString& CommandName() const;
    const QStringList& Args() const { return m_args; }
    bool Json() const { return m_bJson; }
    // Finds the monitor and reads what the command needs (once); Exit::Ok or the status to
    // end with. Call it after the arguments were checked, so that bad input never reaches a
    // port.
    int Connect(const CliNeeds& needs = CliNeeds::Everything());
    // The monitor, after Connect() gave Exit::Ok.
    CMonitor& Monitor();

    // One line on standard output, control characters escaped.
    void Print(const QString& line);
    // The program's own text of several lines (help), each printed as by Print.
    void PrintLines(const QString& text);
    // One JSON object as a single line on standard output.
    void PrintJson(const QJsonObject& object);
    // One line on standard error that is not a failure ("300 is above the maximum...").
    void Note(const QString& text);

    // Exit::Ok when the monitor has `item`; otherwise a usage error "this monitor has no
    // <what>" (what defaults to the item's name).
    int RequireAvailable(int item, const QString& what = QString());

    // Bad input: prints "qelt32ctl: <command>: <reason>" and gives Exit::Usage.
    int UsageError(const QString& reason);
    // A monitor operation failed: prints "qelt32ctl: <command>: <reason>" (after whatever
    // the controller said) and gives Exit::Failure.
    int MonitorFailed(const QString& reason);
    // The controller sends the mode items (30..34) without reading them back. Reads each of
    // `items` that the monitor has once and compares it with what was sent: Exit::Ok when
    // the monitor holds it, else MonitorFailed(reason). The cache then holds what the
    // monitor reported.
    int ConfirmTaken(const std::vector<int>& items, const QString& reason);

private:
    const CliCommand& m_command;
    QStringList m_args;
    bool m_bJson;
    CCliSession& m_session;
};
