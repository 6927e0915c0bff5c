#pragma once

// A simulated monitor served by a child process, so that the benchmark's own process CPU
// time is the program's alone. The child is forked before anything else runs; it serves on
// a pseudo-terminal (paced at 9600 baud), behind `linkPath` when one is given, and takes
// commands from the parent over a pipe.

#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

class CForkedSim {
public:
    using Clock = std::chrono::steady_clock;

    explicit CForkedSim(const char* profile, const std::string& linkPath = {}) {
        int toChild[2], toParent[2];
        if (pipe(toChild) != 0 || pipe(toParent) != 0)
            return;
        m_child = fork();
        if (m_child == 0) {
            ::close(toChild[1]);
            ::close(toParent[0]);
            Serve(profile, linkPath, toChild[0], toParent[1]);
            _exit(0);
        }
        ::close(toChild[0]);
        ::close(toParent[1]);
        m_commands = toChild[1];
        m_answers = toParent[0];
        std::uint32_t length = 0;
        if (ReadAll(m_answers, &length, sizeof length) && length > 0 && length < 4096) {
            std::string path(length, '\0');
            if (ReadAll(m_answers, path.data(), length))
                m_path = QString::fromStdString(path);
        }
    }
    ~CForkedSim() {
        ::close(m_commands); // the child ends at the end of its input
        ::close(m_answers);
        if (m_child > 0)
            waitpid(m_child, nullptr, 0);
    }

    // Empty when the child could not start its simulator.
    QString Path() const { return m_path; }

    // Has the monitor report a front-panel change; returns when it was asked to (the
    // steady clock is the system's monotonic clock, the same in both processes).
    Clock::time_point PanelChange(int item, std::uint16_t value) { return Ask({item, value}); }
    // Pulls the cable (the device hangs up and the link goes) or plugs it back (a new device
    // behind the same link); returns when it was asked to.
    Clock::time_point Cable(bool plugged) { return Ask({plugged ? kReplug : kPull, 0}); }

private:
    struct Command {
        int item;
        std::uint16_t value;
    };
    static constexpr int kPull = -1, kReplug = -2;

    Clock::time_point Ask(const Command& command) {
        std::int64_t asked = 0;
        if (!WriteAll(m_commands, &command, sizeof command) ||
            !ReadAll(m_answers, &asked, sizeof asked))
            return {};
        return Clock::time_point(Clock::duration(asked));
    }

    static bool ReadAll(int fd, void* data, std::size_t count) {
        auto* bytes = static_cast<char*>(data);
        while (count > 0) {
            const ssize_t n = ::read(fd, bytes, count);
            if (n <= 0)
                return false;
            bytes += n;
            count -= std::size_t(n);
        }
        return true;
    }
    static bool WriteAll(int fd, const void* data, std::size_t count) {
        return ::write(fd, data, count) == ssize_t(count);
    }

    static void Serve(const char* profile, const std::string& linkPath, int commands, int answers) {
        CSimServer server(*SimProfile::ByName(profile),
                          CSimServer::Options{true, QString::fromStdString(linkPath)});
        const std::string path = server.Start() ? server.Path().toStdString() : std::string();
        const std::uint32_t length = std::uint32_t(path.size());
        WriteAll(answers, &length, sizeof length);
        WriteAll(answers, path.data(), path.size());
        Command command{};
        while (ReadAll(commands, &command, sizeof command)) {
            const std::int64_t asked = Clock::now().time_since_epoch().count();
            if (command.item == kPull)
                server.Monitor().PullCable();
            else if (command.item == kReplug)
                server.Monitor().Replug();
            else
                server.Monitor().PanelChange(command.item, command.value);
            WriteAll(answers, &asked, sizeof asked);
        }
    }

    pid_t m_child = -1;
    int m_commands = -1;
    int m_answers = -1;
    QString m_path;
};

// CPU time of the whole process (all threads) so far, in seconds.
inline double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The benchmark's surroundings: the application profile in a temporary folder and the only
// port slot on the simulator. Made once the application object exists.
class CBenchSurroundings {
public:
    explicit CBenchSurroundings(const CForkedSim& sim) {
        Profile::SetFolderForTests(m_profileFolder.path());
        PortMap().SetOnly(sim.Path());
        if (sim.Path().isEmpty())
            std::printf("cannot start the simulator\n");
    }
    bool Ok() const { return !PortMap().Path(0).isEmpty(); }

private:
    QTemporaryDir m_profileFolder;
};
