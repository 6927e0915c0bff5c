// qelt32-sim: a simulated monitor on a pseudo-terminal, driven from standard input.

#include "platform/Version.h"
#include "sim/SimConsole.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace {

std::mutex g_outputMutex;

void Say(FILE* stream, const QString& text) {
    std::lock_guard lock(g_outputMutex);
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

QString Hex(const std::vector<std::uint8_t>& bytes) {
    QString out;
    for (std::uint8_t b : bytes)
        out += QStringLiteral("%1 ").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return out.trimmed();
}

QString Description() {
    return QStringLiteral(
               "Serves a simulated monitor on a pseudo-terminal. The first line of output is the "
               "device to give the program (--port PATH, or --link's path).\n\n"
               "Commands are read from standard input, one per line; answers go to standard "
               "output:\n\n%1\n\n"
               "At the end of standard input the simulator keeps serving until it gets SIGINT "
               "or SIGTERM, so it can run in the background: qelt32-sim </dev/null &")
        .arg(SimCommandHelp());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qelt32-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kQelt32Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(Description());
    parser.addHelpOption();
    // -V as in qelt32 and qelt32ctl (Qt's own version option would be -v).
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version."));
    parser.addOption(version);
    parser.addOption({QStringLiteral("profile"),
                      QStringLiteral("The monitor to simulate: %1 (default revC).")
                          .arg(SimProfile::Names().join(QStringLiteral(", "))),
                      QStringLiteral("name"), QStringLiteral("revC")});
    parser.addOption({QStringLiteral("link"),
                      QStringLiteral("Keep a symbolic link to the device at <path>."),
                      QStringLiteral("path")});
    parser.addOption({QStringLiteral("trace"),
                      QStringLiteral("Log every frame in both directions on standard error.")});
    parser.addOption(
        {QStringLiteral("unpaced"), QStringLiteral("Answer without 9600-baud line time.")});
    parser.process(app);
    if (parser.isSet(version)) {
        Say(stdout, QStringLiteral("qelt32-sim %1").arg(QCoreApplication::applicationVersion()));
        return 0;
    }

    const auto profile = SimProfile::ByName(parser.value(QStringLiteral("profile")));
    if (!profile) {
        Say(stderr, QStringLiteral("qelt32-sim: unknown profile \"%1\" (known: %2)")
                        .arg(parser.value(QStringLiteral("profile")),
                             SimProfile::Names().join(QStringLiteral(", "))));
        return 2;
    }

    // SIGINT and SIGTERM are taken through a descriptor; blocked before the server thread
    // starts so that it inherits the mask and only this loop sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);

    CSimServer::Options options;
    options.paced = !parser.isSet(QStringLiteral("unpaced"));
    options.linkPath = parser.value(QStringLiteral("link"));
    CSimServer server(*profile, options);
    if (parser.isSet(QStringLiteral("trace"))) {
        const auto start = CSimServer::Clock::now();
        server.SetTraceSink([start](CSimServer::Clock::time_point time, bool sent,
                                    const std::vector<std::uint8_t>& bytes, const QString& note) {
            const double seconds = std::chrono::duration<double>(time - start).count();
            Say(stderr, QStringLiteral("%1 %2 %3  (%4)")
                            .arg(seconds, 9, 'f', 3)
                            .arg(sent ? QStringLiteral("monitor>") : QStringLiteral("<program"))
                            .arg(Hex(bytes), note));
        });
    }
    server.SetReplugHandler(
        [](const QString& path) { Say(stdout, QStringLiteral("replugged at %1").arg(path)); });
    if (!server.Start()) {
        Say(stderr, QStringLiteral("qelt32-sim: %1").arg(server.Error()));
        return 1;
    }
    Say(stdout, server.Path());

    QByteArray pending;
    bool reading = true;
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, reading ? 2 : 1, -1) < 0)
            continue; // interrupted: look again
        if (fds[0].revents & POLLIN)
            break;
        if (!reading || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            reading = false; // keep serving until a signal ends us
            continue;
        }
        pending.append(buffer, n);
        for (qsizetype eol; (eol = pending.indexOf('\n')) >= 0;) {
            const QString line = QString::fromLocal8Bit(pending.left(eol));
            pending.remove(0, eol + 1);
            const SimCommandResult result = RunSimCommand(server.Monitor(), line);
            if (!result.answer.isEmpty())
                Say(stdout, result.answer);
            if (result.quit) {
                server.Stop();
                return 0;
            }
        }
    }
    server.Stop();
    return 0;
}
