#pragma once

#include "sim/SimServer.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

// Runs the built qelt32ctl against a simulated monitor served on a pseudo-terminal by this
// process, so that the tests see both what the program printed and what the monitor got.
// The program's profile lives in a temporary folder.
class CCliRunner {
public:
    struct Result {
        int status = -1;
        QString out;
        QString err;
        QByteArray outBytes; // standard output as written (binary for `save -`)
        QStringList OutLines() const;
        QStringList ErrLines() const;
    };

    // `profile`: a simulator profile name; `paced`: 9600-baud line time, as a real cable.
    explicit CCliRunner(const QString& profile = QStringLiteral("revC"), bool paced = false);
    ~CCliRunner();

    CSimServer& Server() { return *m_server; }
    CSimMonitor& Sim() { return m_server->Monitor(); }
    // --port and the simulator's device.
    QStringList PortArguments() const;

    // Runs qelt32ctl with exactly these arguments, `input` on its standard input (which
    // then ends), and waits for it to end.
    Result RunRaw(const QStringList& arguments, const QByteArray& input = {});
    // Later runs start qelt32ctl through this command (its program and arguments first).
    void RunThrough(const QStringList& launcher) { m_launcher = launcher; }
    // Later runs are an ordinary user's: run as nobody when the tests run as root, with the
    // device and the profile's folder opened to them as a user's own would be.
    void RunAsOrdinaryUser();
    // Runs qelt32ctl on the simulated monitor.
    Result Run(const QStringList& arguments, const QByteArray& input = {}) {
        return RunRaw(PortArguments() + arguments, input);
    }

    // Starts qelt32ctl on the simulated monitor without waiting.
    std::unique_ptr<QProcess> Start(const QStringList& arguments);

    // Set-value frames the monitor received (all of them since the runner started).
    int SetValueFrames() const;
    // Frames of any command that changes the monitor: set-values, resets, store, degauss.
    int ChangingFrames() const;

    // The profile the runs read and write.
    QString ProfileFile() const {
        return m_config.filePath(QStringLiteral("VORKA/Vistrel Pro.ini"));
    }

    // $QELT32_BIN_DIR/qelt32ctl, or the one this build made.
    static QString Program();

private:
    void Prepare(QProcess& process) const;
    // Frames that get no answer (switches, degauss, store) may still be on the line when
    // qelt32ctl ends: waits (at most 2 s) until the monitor has had nothing new for 100 ms.
    void LetTheMonitorCatchUp();

    QTemporaryDir m_config;
    QStringList m_launcher;
    std::unique_ptr<CSimServer> m_server;
};

// Reads a running process's standard output and error line by line.
class CLineReader {
public:
    explicit CLineReader(QProcess& process) : m_process(process) {}
    // Waits until a line of standard output satisfies `match`; false at the deadline or
    // when the process ended without such a line.
    template <typename Match> bool WaitOut(Match match, std::chrono::milliseconds timeout) {
        return WaitFor(m_out, match, timeout);
    }
    // Waits until standard error has a line containing `text`.
    bool WaitErr(const QString& text, std::chrono::milliseconds timeout) {
        return WaitFor(
            m_err, [&](const QString& line) { return line.contains(text); }, timeout);
    }
    const QStringList& OutLines() const { return m_out; }
    const QStringList& ErrLines() const { return m_err; }
    // Takes in what has arrived, without waiting.
    void Collect();

private:
    template <typename Match>
    bool WaitFor(const QStringList& lines, Match match, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const bool ended = m_process.state() == QProcess::NotRunning;
            Collect();
            for (const QString& line : lines)
                if (match(line))
                    return true;
            if (ended || std::chrono::steady_clock::now() >= deadline)
                return false;
            // Short waits: data on the other channel does not end a wait for this one.
            m_process.waitForReadyRead(20);
        }
    }

    QProcess& m_process;
    QByteArray m_outPartial, m_errPartial;
    QStringList m_out, m_err;
};
