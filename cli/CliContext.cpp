#include "cli/CliContext.h"

#include "cli/CliMessages.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "cli/Session.h"
#include "cli/TerminalText.h"
#include "link/Monitor.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

CCliContext::CCliContext(const CliCommand& command, QStringList args, bool json,
                         CCliSession& session)
    : m_command(command), m_args(std::move(args)), m_bJson(json), m_session(session) {}

const QString& CCliContext::CommandName() const {
    return m_command.name;
}

int CCliContext::Connect(const CliNeeds& needs) {
    return m_session.Connect(needs);
}

CMonitor& CCliContext::Monitor() {
    return m_session.Monitor();
}

void CCliContext::Print(const QString& line) {
    std::fprintf(stdout, "%s\n", qUtf8Printable(TerminalText::EscapeControls(line)));
    // Lines reach a pipe as they happen (watch is read by scripts while it runs).
    std::fflush(stdout);
}

void CCliContext::PrintLines(const QString& text) {
    for (const QString& line : text.split('\n'))
        Print(line);
}

void CCliContext::PrintJson(const QJsonObject& object) {
    Print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void CCliContext::Note(const QString& text) {
    PrintError(m_command.name + ": " + text);
}

int CCliContext::UsageError(const QString& reason) {
    Note(reason);
    return Exit::Usage;
}

int CCliContext::MonitorFailed(const QString& reason) {
    Note(reason);
    return Exit::Failure;
}

int CCliContext::ConfirmTaken(const std::vector<int>& items, const QString& reason) {
    CMonitor& monitor = Monitor();
    bool taken = true;
    for (int item : items) {
        if (!monitor.IsAvailable(item))
            continue;
        const std::uint16_t sent = monitor.Item(item).current;
        if (!monitor.ReadItem(item))
            return MonitorFailed(reason);
        taken = taken && monitor.Item(item).current == sent;
    }
    return taken ? Exit::Ok : MonitorFailed(reason);
}

int CCliContext::RequireAvailable(int item, const QString& what) {
    if (Monitor().IsAvailable(item))
        return Exit::Ok;
    return UsageError(QStringLiteral("this monitor has no %1")
                          .arg(what.isEmpty() ? ItemFormat::Name(item) : what));
}
