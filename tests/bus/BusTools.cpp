#include "BusTools.h"

#include "CliRunner.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QMap>
#include <QThread>

namespace {

const QString kService = QStringLiteral("com.vorka.qelt32");
const QString kPath = QStringLiteral("/com/vorka/qelt32/Monitor");

BusTools::Result Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    BusTools::Result result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not end");
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    result.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return result;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout.count())
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

namespace BusTools {

Result Call(const QString& method, const QStringList& arguments) {
    return Run(QStringLiteral("gdbus"),
               QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                           QStringLiteral("--dest"), kService, QStringLiteral("--object-path"),
                           kPath, QStringLiteral("--method"),
                           QStringLiteral("com.vorka.qelt32.Monitor.") + method} +
                   arguments);
}

Result Busctl(const QStringList& arguments) {
    return Run(QStringLiteral("busctl"), QStringList{QStringLiteral("--user")} + arguments);
}

bool WaitForService(std::chrono::milliseconds timeout) {
    return WaitUntil([] { return Call(QStringLiteral("GetItem"), {"bright"}).status == 0; },
                     timeout);
}

bool WaitForNoService(std::chrono::milliseconds timeout) {
    return WaitUntil(
        [] {
            const Result owner =
                Run(QStringLiteral("gdbus"), {"call", "--session", "--dest", "org.freedesktop.DBus",
                                              "--object-path", "/org/freedesktop/DBus", "--method",
                                              "org.freedesktop.DBus.NameHasOwner", kService});
            return owner.status == 0 && owner.out.contains(QLatin1String("false"));
        },
        timeout);
}

std::unique_ptr<QProcess> StartServe(CCliRunner& cli) {
    auto serve = cli.Start({"serve"});
    CLineReader reader(*serve);
    if (reader.WaitErr("serving the monitor on", std::chrono::seconds(30)))
        WaitForService();
    return serve;
}

} // namespace BusTools

CBusWatch::CBusWatch() : m_process(std::make_unique<QProcess>()) {
    // Line-buffered: gdbus writes to a pipe in blocks otherwise.
    m_process->start(QStringLiteral("stdbuf"),
                     {QStringLiteral("-oL"), QStringLiteral("gdbus"), QStringLiteral("monitor"),
                      QStringLiteral("--session"), QStringLiteral("--dest"), kService});
    m_process->waitForStarted();
    m_bListening = WaitFor(QStringLiteral("is owned by"), std::chrono::seconds(30)) &&
                   WaitUntil([this] { return HasMatchRule(); }, std::chrono::seconds(30));
}

bool CBusWatch::HasMatchRule() const {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString owner = bus.interface()->serviceOwner(kService).value();
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus.Debug.Stats", "GetAllMatchRules"));
    if (owner.isEmpty() || reply.type() != QDBusMessage::ReplyMessage)
        return false;
    QMap<QString, QStringList> rules;
    reply.arguments().first().value<QDBusArgument>() >> rules;
    const QString wanted = QStringLiteral("sender='%1'").arg(owner);
    for (auto connection = rules.cbegin(); connection != rules.cend(); ++connection)
        if (bus.interface()->servicePid(connection.key()).value() == m_process->processId())
            for (const QString& rule : connection.value())
                if (rule.contains(wanted))
                    return true;
    return false;
}

CBusWatch::~CBusWatch() {
    m_process->kill();
    m_process->waitForFinished();
}

void CBusWatch::Collect() {
    m_partial += m_process->readAllStandardOutput();
    qsizetype end = 0;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
    }
}

bool CBusWatch::WaitFor(const QString& text, std::chrono::milliseconds timeout) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        Collect();
        for (const QString& line : m_lines)
            if (line.contains(text))
                return true;
        if (timer.elapsed() > timeout.count() || m_process->state() == QProcess::NotRunning)
            return false;
        m_process->waitForReadyRead(50);
    }
}
