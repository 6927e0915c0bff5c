// Line figures of the simulated monitor on its pseudo-terminal: the output rate it keeps
// (9600 baud 8N1 is 960 bytes/s), the round trip of an item query, and the processor time
// the server burns while the line is idle.

#include "Figure.h"
#include "sim/SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int OpenRaw(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

// Reads `count` bytes; when the last one arrived (nullopt on a time-out).
std::optional<Clock::time_point> ReceiveAll(int fd, std::size_t count) {
    for (std::size_t got = 0; got < count;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            return std::nullopt;
        std::uint8_t buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return std::nullopt;
        got += std::size_t(n);
    }
    return Clock::now();
}

double Seconds(Clock::time_point from, std::optional<Clock::time_point> to) {
    return to ? std::chrono::duration<double>(*to - from).count() : -1;
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Rate(bool paced) {
    CSimServer::Options options;
    options.paced = paced;
    CSimServer server(*SimProfile::ByName("revC"), options);
    if (!server.Start()) {
        std::printf("cannot start: %s\n", qPrintable(server.Error()));
        return;
    }
    const int fd = OpenRaw(server.Path());
    const char* name = paced ? "paced" : "unpaced";
    // 200 front-panel reports of 12 bytes each: 2400 bytes, 2.5 s at 960 bytes/s.
    constexpr int kFrames = 200, kBytes = kFrames * 12;
    const auto start = Clock::now();
    for (int i = 0; i < kFrames; ++i)
        server.Monitor().PanelChange(0, std::uint16_t(i));
    const double span = Seconds(start, ReceiveAll(fd, kBytes));
    std::printf("%-8s output: %d bytes in %.4f s = %.0f bytes/s\n", name, kBytes, span,
                kBytes / span);
    if (paced)
        PrintFigure("simulator paced output", kBytes / span, "bytes/s", "960 bytes/s");

    // Item query round trip: 10 bytes in, 16 bytes out (27 ms of line time when paced).
    const std::uint8_t query[] = {0x55, 0x55, 0x6E, 0x50, 0x82, 0x01, 0x1A, 0xA7, 0xAA, 0xAA};
    constexpr int kQueries = 20;
    double total = 0;
    for (int i = 0; i < kQueries; ++i) {
        const auto sent = Clock::now();
        [[maybe_unused]] ssize_t n = ::write(fd, query, sizeof query);
        total += Seconds(sent, ReceiveAll(fd, 16));
    }
    std::printf("%-8s query round trip: %.2f ms (mean of %d)\n", name, total / kQueries * 1000,
                kQueries);

    const double before = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::printf("%-8s idle processor time: %.2f ms per second\n", name,
                (CpuSeconds() - before) * 1000);
    ::close(fd);
}

} // namespace

int main() {
    Rate(true);
    Rate(false);
    return 0;
}
