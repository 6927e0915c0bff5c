#include "platform/DeviceAdvice.h"

#include "platform/AccessAdvice.h"
#include "platform/SerialDiagnostics.h"

QString DeviceAdvice(const QString& path) {
    const SerialDiagnostics::Access access = SerialDiagnostics::CheckAccess(path);
    if (!access.exists)
        return QString();
    if (!access.allowed) {
        const AccessAdvice::Advice advice = AccessAdvice::Advise(AccessAdvice::Gather(path), path);
        return QStringLiteral("%1; %2").arg(advice.problem, advice.advice);
    }
    const QString users = SerialDiagnostics::UsersText(SerialDiagnostics::Holders(path));
    return users.isEmpty() ? QString() : QStringLiteral("held by %1").arg(users);
}

QString ExplainFailure(const QString& failure, const QString& path) {
    const QString more = DeviceAdvice(path);
    return more.isEmpty() ? failure : QStringLiteral("%1 (%2)").arg(failure, more);
}
