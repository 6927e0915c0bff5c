#include "cli/CliContext.h"

#include "cli/CliMessages.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "cli/Session.h"
#include "link/Monitor.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

CCliContext::CCliContext(const CliCommand& command, QStringList args, bool json,
                         CCliMessages& messages, CCliSession& session)
    : m_command(command), m_args(std::move(args)), m_bJson(json), m_messages(messages),
      m_session(session), m_nMessagesAtStart(messages.Shown()) {}

const QString& CCliContext::CommandName() const {
    return m_command.name;
}

int CCliContext::Connect() {
    return m_session.Connect();
}

CMonitor& CCliContext::Monitor() {
    return m_session.Monitor();
}

void CCliContext::Print(const QString& line) {
    std::fprintf(stdout, "%s\n", qUtf8Printable(line));
    // Lines reach a pipe as they happen (watch is read by scripts while it runs).
    std::fflush(stdout);
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
    if (m_messages.Shown() == m_nMessagesAtStart)
        Note(reason);
    return Exit::Failure;
}

int CCliContext::RequireAvailable(int item, const QString& what) {
    if (Monitor().IsAvailable(item))
        return Exit::Ok;
    return UsageError(QStringLiteral("this monitor has no %1")
                          .arg(what.isEmpty() ? ItemFormat::Name(item) : what));
}
