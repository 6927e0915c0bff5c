#pragma once

// Small helpers for the processes the real-display harnesses start.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <memory>

namespace ChildProcess {

// Starts a program in a process group of its own, so that Stop ends whatever it started.
// Its standard error, and its standard output unless the caller reads it (`readOutput`),
// are appended to `log`. Null, with `error` set, when it does not start.
inline std::unique_ptr<QProcess> Start(const QString& program, const QStringList& arguments,
                                       const QProcessEnvironment& environment, const QString& log,
                                       bool readOutput, QString* error) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setChildProcessModifier([] { ::setsid(); });
    process->setStandardErrorFile(log, QIODevice::Append);
    if (!readOutput)
        process->setStandardOutputFile(log, QIODevice::Append);
    process->start(program, arguments);
    if (!process->waitForStarted(5000)) {
        *error = QStringLiteral("%1 did not start: %2").arg(program, process->errorString());
        return nullptr;
    }
    return process;
}

// Runs a short tool to its end, killed when it has not ended within `timeout`; whether it
// ended in time. The process then holds its output and exit status (see Succeeded).
inline bool RunBounded(QProcess& process, const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& environment, std::chrono::milliseconds timeout) {
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (process.waitForFinished(int(timeout.count())))
        return true;
    process.kill();
    process.waitForFinished(3000);
    return false;
}

// The process ended by itself with status 0.
inline bool Succeeded(const QProcess& process) {
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Ends a process and everything it started: SIGTERM to its group, SIGKILL if it lingers.
inline void Stop(QProcess* process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    const pid_t group = pid_t(process->processId());
    ::kill(-group, SIGTERM);
    if (!process->waitForFinished(3000)) {
        ::kill(-group, SIGKILL);
        process->waitForFinished(3000);
    }
}

// Reads one line of a process's standard output into `line`; false at the deadline.
inline bool ReadLine(QProcess& process, QByteArray& buffer, QByteArray* line,
                     std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        buffer += process.readAllStandardOutput();
        if (const qsizetype end = buffer.indexOf('\n'); end >= 0) {
            *line = buffer.left(end);
            buffer.remove(0, end + 1);
            return true;
        }
        if (process.state() == QProcess::NotRunning || std::chrono::steady_clock::now() >= deadline)
            return false;
        process.waitForReadyRead(50);
    }
}

// The last lines of a log file.
inline QString Tail(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split('\n').mid(-lines).join('\n');
}

} // namespace ChildProcess
