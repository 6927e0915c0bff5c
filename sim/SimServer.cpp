#include "sim/SimServer.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace {

// 9600 baud with a start and a stop bit around 8 data bits: 960 bytes a second.
constexpr std::chrono::nanoseconds kByteTime{1'000'000'000 / 960};

QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

struct CSimServer::Impl {
    struct InByte {
        Clock::time_point due; // when its stop bit has passed
        std::uint8_t byte;
    };

    CSimServer& owner;
    std::thread thread;
    std::atomic<bool> stopping{false};
    int wakeFd = -1;
    int master = -1;
    // Held open so that the master never sees a hang-up while no program has the device
    // open; it is never read, so every byte goes to the program.
    int slaveHold = -1;

    mutable std::mutex mutex; // guards the strings below
    QString devicePath;
    QString error;
    bool running = false;

    TraceSink trace;
    std::function<void(const QString&)> replugHandler;

    unsigned deviceGeneration = 0; // the cable generation the open device belongs to
    std::deque<SimChunk> outgoing; // due, not yet completely written
    std::size_t outOffset = 0;     // bytes of outgoing.front() already written
    Clock::time_point lineFreeAt{};
    std::deque<InByte> incoming;
    Clock::time_point inLineFreeAt{};

    explicit Impl(CSimServer& server) : owner(server) {}

    bool Paced() const { return owner.m_options.paced; }

    bool OpenDevice(QString* why) {
        int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m < 0) {
            *why = SystemError("posix_openpt");
            return false;
        }
        char name[128] = {};
        if (::grantpt(m) != 0 || ::unlockpt(m) != 0 || ::ptsname_r(m, name, sizeof name) != 0) {
            *why = SystemError("pseudo-terminal setup");
            ::close(m);
            return false;
        }
        int s = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (s < 0) {
            *why = SystemError("open pseudo-terminal");
            ::close(m);
            return false;
        }
        // Raw from the start: an echoing line would hand our own replies back to us.
        termios tio{};
        ::tcgetattr(s, &tio);
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(s, TCSANOW, &tio);

        const QString path = QString::fromLocal8Bit(name);
        if (!owner.m_options.linkPath.isEmpty() && !PlaceLink(path, why)) {
            ::close(s);
            ::close(m);
            return false;
        }
        master = m;
        slaveHold = s;
        std::lock_guard lock(mutex);
        devicePath = path;
        return true;
    }

    bool PlaceLink(const QString& target, QString* why) {
        const QString& link = owner.m_options.linkPath;
        const QFileInfo info(link);
        if (info.exists() && !info.isSymLink()) {
            *why = QStringLiteral("%1 exists and is not a link").arg(link);
            return false;
        }
        // Made beside the link and renamed over it, so a program never finds it missing.
        const QString temp = link + QStringLiteral(".new");
        QFile::remove(temp);
        if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(temp).constData()) !=
                0 ||
            ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(link).constData()) !=
                0) {
            *why = SystemError(QFile::encodeName(link).constData());
            QFile::remove(temp);
            return false;
        }
        return true;
    }

    void RemoveLink() {
        const QString& link = owner.m_options.linkPath;
        if (!link.isEmpty() && QFileInfo(link).isSymLink())
            QFile::remove(link);
    }

    void CloseDevice() {
        // The link goes first, so a program that sees the hang-up cannot reopen it.
        RemoveLink();
        CloseFd(master); // the program's side hangs up now
        CloseFd(slaveHold);
        outgoing.clear();
        outOffset = 0;
        incoming.clear();
        std::lock_guard lock(mutex);
        devicePath.clear();
    }

    void Wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
    }

    void FollowCable() {
        // Every pull counts, even one undone by a replug before this thread looked: the
        // device of the old cable must hang up, so the program sees it go.
        const unsigned generation = owner.m_monitor.CableGeneration();
        const bool pulled = owner.m_monitor.IsCablePulled();
        if (master >= 0 && (pulled || generation != deviceGeneration))
            CloseDevice();
        deviceGeneration = generation;
        if (!pulled && master < 0) {
            QString why;
            if (!OpenDevice(&why)) {
                std::lock_guard lock(mutex);
                error = why;
                return;
            }
            if (replugHandler)
                replugHandler(owner.Path());
        }
    }

    void Traced(Clock::time_point time, bool sent, const std::vector<std::uint8_t>& bytes,
                const QString& note) {
        if (trace)
            trace(time, sent, bytes, note);
    }

    // Writes what the line can carry by `now`. Returns false when the device is full.
    bool WriteDue(Clock::time_point now) {
        for (SimChunk& chunk : owner.m_monitor.TakeOutput(now))
            outgoing.push_back(std::move(chunk));
        if (outgoing.empty() || master < 0)
            return true;
        std::size_t budget = SIZE_MAX;
        if (Paced()) {
            lineFreeAt = std::max(lineFreeAt, outgoing.front().due);
            if (lineFreeAt > now)
                return true;
            budget = std::size_t((now - lineFreeAt) / kByteTime) + 1;
        }
        while (!outgoing.empty() && budget > 0) {
            SimChunk& chunk = outgoing.front();
            const std::size_t n = std::min(budget, chunk.bytes.size() - outOffset);
            const ssize_t written = ::write(master, chunk.bytes.data() + outOffset, n);
            if (written <= 0)
                return false;
            budget -= std::size_t(written);
            outOffset += std::size_t(written);
            owner.m_bytesSent += std::uint64_t(written);
            if (Paced())
                lineFreeAt += kByteTime * written;
            if (outOffset == chunk.bytes.size()) {
                Traced(now, true, chunk.bytes, chunk.note);
                outgoing.pop_front();
                outOffset = 0;
            }
        }
        return true;
    }

    void ReadIncoming(Clock::time_point now) {
        std::uint8_t buffer[256];
        for (;;) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (ssize_t i = 0; i < n; ++i) {
                Clock::time_point due = now;
                if (Paced()) {
                    inLineFreeAt = std::max(inLineFreeAt, now) + kByteTime;
                    due = inLineFreeAt;
                }
                incoming.push_back({due, buffer[i]});
            }
        }
    }

    void FeedDue(Clock::time_point now) {
        std::vector<std::uint8_t> arrived;
        while (!incoming.empty() && incoming.front().due <= now) {
            arrived.push_back(incoming.front().byte);
            incoming.pop_front();
        }
        if (arrived.empty())
            return;
        for (const SimRequest& frame : owner.m_monitor.Feed(arrived.data(), arrived.size(), now))
            Traced(now, false, frame.bytes,
                   frame.accepted
                       ? QStringLiteral("request %1").arg(frame.command, 2, 16, QLatin1Char('0'))
                       : QStringLiteral("ignored (damaged)"));
    }

    // How long poll() may sleep: until the next byte may go out, the next reply is due or
    // the next received byte has crossed the line; forever when nothing is pending.
    int TimeoutMs(Clock::time_point now, bool deviceFull) const {
        std::optional<Clock::time_point> next = owner.m_monitor.NextDue();
        if (!outgoing.empty() && !deviceFull)
            next = Paced() ? std::max(lineFreeAt, now) : now;
        if (!incoming.empty() && (!next || incoming.front().due < *next))
            next = incoming.front().due;
        if (!next)
            return -1;
        if (*next <= now)
            return 0;
        // Rounded up, so that we never wake before the moment and spin.
        return int(std::chrono::ceil<std::chrono::milliseconds>(*next - now).count());
    }

    void Run() {
        while (!stopping.load()) {
            FollowCable();
            Clock::time_point now = Clock::now();
            const bool full = !WriteDue(now);
            FeedDue(now);

            pollfd fds[2] = {{wakeFd, POLLIN, 0}, {master, POLLIN, 0}};
            if (full)
                fds[1].events |= POLLOUT;
            const nfds_t count = master >= 0 ? 2 : 1;
            if (::poll(fds, count, TimeoutMs(Clock::now(), full)) < 0 && errno != EINTR)
                break;
            if (fds[0].revents & POLLIN) {
                std::uint64_t value;
                [[maybe_unused]] ssize_t n = ::read(wakeFd, &value, sizeof value);
            }
            if (count == 2 && (fds[1].revents & POLLIN))
                ReadIncoming(Clock::now());
        }
    }
};

CSimServer::CSimServer(const SimProfile& profile) : CSimServer(profile, Options{}) {}

CSimServer::CSimServer(const SimProfile& profile, const Options& options)
    : m_monitor(profile), m_options(options), m_impl(std::make_unique<Impl>(*this)) {}

CSimServer::~CSimServer() {
    Stop();
}

bool CSimServer::Start() {
    Impl& d = *m_impl;
    if (IsRunning())
        return true;
    QString why;
    d.deviceGeneration = m_monitor.CableGeneration();
    d.wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (d.wakeFd < 0) {
        why = SystemError("eventfd");
    } else if (!m_monitor.IsCablePulled() && !d.OpenDevice(&why)) {
        CloseFd(d.wakeFd);
    }
    {
        std::lock_guard lock(d.mutex);
        d.error = why;
        if (!why.isEmpty())
            return false;
        d.running = true;
    }
    d.stopping = false;
    m_monitor.SetListener([&d] { d.Wake(); });
    d.thread = std::thread([&d] { d.Run(); });
    return true;
}

void CSimServer::Stop() {
    Impl& d = *m_impl;
    if (!d.thread.joinable())
        return;
    d.stopping = true;
    d.Wake();
    d.thread.join();
    m_monitor.SetListener(nullptr);
    d.CloseDevice();
    CloseFd(d.wakeFd);
    std::lock_guard lock(d.mutex);
    d.running = false;
}

bool CSimServer::IsRunning() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->running;
}

QString CSimServer::Path() const {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->devicePath.isEmpty())
        return {};
    return m_options.linkPath.isEmpty() ? m_impl->devicePath : m_options.linkPath;
}

QString CSimServer::DevicePath() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->devicePath;
}

QString CSimServer::Error() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->error;
}

void CSimServer::SetTraceSink(TraceSink sink) {
    m_impl->trace = std::move(sink);
}

void CSimServer::SetReplugHandler(std::function<void(const QString&)> handler) {
    m_impl->replugHandler = std::move(handler);
}
