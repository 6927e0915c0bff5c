#include "cli/PortCheck.h"

#include "link/Monicom.h"
#include "platform/AccessAdvice.h"
#include "platform/PosixSerialPort.h"

#include <QStringList>

namespace {

constexpr std::uint8_t kIdentify = 0xF1;
constexpr std::uint8_t kIdentityReply = 0xE1;

QString Field(const char* text, std::size_t size) {
    return QString::fromLatin1(text, qsizetype(qstrnlen(text, size))).trimmed();
}

QString HolderList(const std::vector<SerialDiagnostics::Holder>& holders) {
    QStringList names;
    for (const auto& holder : holders)
        names << QStringLiteral("%1 (pid %2)").arg(holder.program).arg(holder.pid);
    return names.join(QStringLiteral(", "));
}

// Asks who is on the line; the monitor's answer as it came, or nothing.
std::optional<PortCheck::Answer> Identify(CPosixSerialPort& port) {
    CMonicom link;
    link.SetSerialPort(&port);
    port.Purge();
    MonReply reply;
    if (!link.SendCommand(kIdentify) || !link.ReceiveFrame(reply) || reply.kind != kIdentityReply)
        return std::nullopt;
    const MonIdentity& id = reply.identity;
    return PortCheck::Answer{Field(id.revision, sizeof id.revision),
                             Field(id.maker, sizeof id.maker), Field(id.model, sizeof id.model),
                             id.serial};
}

void Judge(PortCheck& check) {
    if (!check.monitor) {
        check.problem = QStringLiteral("no monitor answered the identity request");
        check.advice = QStringLiteral("check that the maintenance cable is plugged into this "
                                      "port and the monitor, and that the monitor is on; "
                                      "a USB adapter may have another name (see the list "
                                      "below)");
        return;
    }
    const PortCheck::Answer& answer = *check.monitor;
    if (answer.model.contains(QLatin1String("LQ"))) {
        check.problem = QStringLiteral("a flat panel (%1) answered").arg(answer.model);
        check.advice = QStringLiteral("this program adjusts tube monitors only");
        return;
    }
    const QString maker = answer.maker.toUpper();
    if (!maker.contains(QLatin1String("QURE")) && !maker.contains(QLatin1String("VORKA"))) {
        check.problem = QStringLiteral("another maker's monitor answered (%1 %2)")
                            .arg(answer.maker, answer.model);
        check.advice = QStringLiteral("this program adjusts QURE and VORKA monitors only");
        return;
    }
    check.usable = true;
}

} // namespace

PortCheck CheckPort(const QString& path) {
    PortCheck check;
    check.path = path;
    check.access = SerialDiagnostics::CheckAccess(path);
    if (!check.access.exists) {
        check.problem = QStringLiteral("%1 does not exist").arg(path);
        check.advice = QStringLiteral("give one of the serial devices listed below with --port");
        return check;
    }
    if (!check.access.allowed) {
        const AccessAdvice::Advice advice = AccessAdvice::Advise(AccessAdvice::Gather(path), path);
        check.problem = advice.problem;
        check.advice = advice.advice;
        return check;
    }
    check.holders = SerialDiagnostics::Holders(path);

    CPosixSerialPort port;
    check.opened = port.Open(path);
    if (port.Line().outputBaud != 0)
        check.line = port.Line().Describe();
    if (!check.opened) {
        check.problem = port.LastError();
        check.advice = check.holders.empty()
                           ? QStringLiteral("use a serial device (see the list below)")
                           : QStringLiteral("end or reconfigure the program that holds it: %1")
                                 .arg(HolderList(check.holders));
        return check;
    }
    check.handshake = port.Line().rtsCts;
    check.monitor = Identify(port);
    port.Close();
    Judge(check);
    if (!check.usable && !check.holders.empty())
        check.advice += QStringLiteral("; another program has the device open too: %1")
                            .arg(HolderList(check.holders));
    return check;
}
