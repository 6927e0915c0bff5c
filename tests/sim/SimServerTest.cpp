#include "SimFrames.h"

#include "sim/SimConsole.h"
#include "sim/SimServer.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <future>
#include <thread>

using namespace SimFrames;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

namespace {

// A plain termios client, as any serial program would open the device.
class Client {
public:
    explicit Client(const QString& path) {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return;
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~Client() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool IsOpen() const { return m_fd >= 0; }
    bool Send(const Bytes& b) { return ::write(m_fd, b.data(), b.size()) == ssize_t(b.size()); }
    // Up to `n` bytes, waiting at most `wait` for them.
    Bytes Receive(std::size_t n, std::chrono::milliseconds wait = 3000ms) {
        Bytes out;
        const auto deadline = Clock::now() + wait;
        while (out.size() < n) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0)
                break;
            if (p.revents & (POLLHUP | POLLERR)) {
                m_hungUp = true;
                break;
            }
            std::uint8_t buf[64];
            const ssize_t got = ::read(m_fd, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0)
                break;
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }
    bool HungUp() const { return m_hungUp; }

private:
    int m_fd = -1;
    bool m_hungUp = false;
};

SimProfile RevC() {
    return *SimProfile::ByName("revC");
}

CSimServer::Options Unpaced() {
    CSimServer::Options o;
    o.paced = false;
    return o;
}

} // namespace

TEST(SimServer, AnswersATermiosClient) {
    CSimServer server(RevC());
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    EXPECT_TRUE(server.IsRunning());
    EXPECT_TRUE(server.Path().startsWith("/dev/pts/"));
    EXPECT_EQ(server.Path(), server.DevicePath());
    Client client(server.Path());
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.Send(Request(0xF1)));
    const Bytes reply = client.Receive(37);
    ASSERT_EQ(reply.size(), 37u);
    EXPECT_EQ(ReplyData(reply, 0xE1).size(), 28u);
    // Set-values stay unanswered; the next query sees the value.
    ASSERT_TRUE(client.Send(SetValue(0x1A, 77)));
    ASSERT_TRUE(client.Send(Query(0x1A)));
    EXPECT_EQ(ReplyData(client.Receive(16), 0x02), (Bytes{0, 0x1A, 0, 0, 255, 0, 77}));
    EXPECT_EQ(server.Monitor().Value(2), 77);
}

TEST(SimServer, SendsFrontPanelAndTimingFrames) {
    CSimServer server(RevC(), Unpaced());
    ASSERT_TRUE(server.Start());
    Client client(server.Path());
    server.Monitor().PanelChange(1, 200);
    EXPECT_EQ(ReplyData(client.Receive(12), 0x58), (Bytes{0x04, 0x00, 200}));
    server.Monitor().TimingChange(3150, 6000, 0);
    EXPECT_EQ(ReplyData(client.Receive(13), 0x4E), (Bytes{0x0C, 0x4E, 0x17, 0x70}));
    EXPECT_EQ(ReplyData(client.Receive(10), 0x6D), (Bytes{0x00}));
}

TEST(SimServer, FaultsReachTheLine) {
    CSimServer server(RevC(), Unpaced());
    ASSERT_TRUE(server.Start());
    Client client(server.Path());
    server.Monitor().DropReplies(1);
    client.Send(Query(0x1A));
    EXPECT_TRUE(client.Receive(1, 300ms).empty());
    server.Monitor().InjectNoise(5);
    client.Send(Query(0x1A));
    const Bytes noisy = client.Receive(21);
    ASSERT_EQ(noisy.size(), 21u);
    EXPECT_FALSE(ReplyData(Bytes(noisy.begin() + 5, noisy.end()), 0x02).empty());
}

TEST(SimServer, LinkFollowsPullAndReplug) {
    QTemporaryDir dir;
    CSimServer::Options options = Unpaced();
    options.linkPath = dir.filePath("monitor");
    CSimServer server(RevC(), options);
    std::promise<QString> replugged;
    server.SetReplugHandler([&replugged](const QString& path) { replugged.set_value(path); });
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    EXPECT_EQ(server.Path(), options.linkPath);
    EXPECT_EQ(QFileInfo(options.linkPath).symLinkTarget(), server.DevicePath());

    Client client(options.linkPath);
    ASSERT_TRUE(client.IsOpen());
    server.Monitor().PullCable();
    client.Receive(1, 3000ms);
    EXPECT_TRUE(client.HungUp());
    EXPECT_FALSE(QFileInfo(options.linkPath).isSymLink());

    server.Monitor().Replug();
    auto path = replugged.get_future();
    ASSERT_EQ(path.wait_for(3s), std::future_status::ready);
    EXPECT_EQ(path.get(), options.linkPath);
    Client again(options.linkPath);
    ASSERT_TRUE(again.IsOpen());
    again.Send(Request(0x07));
    EXPECT_FALSE(ReplyData(again.Receive(13), 0x4E).empty());

    server.Stop();
    EXPECT_FALSE(QFileInfo(options.linkPath).isSymLink());
}

TEST(SimServer, PullAndReplugAtOnceStillHangUpTheOldDevice) {
    QTemporaryDir dir;
    CSimServer::Options options = Unpaced();
    options.linkPath = dir.filePath("monitor");
    CSimServer server(RevC(), options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        Client client(options.linkPath);
        ASSERT_TRUE(client.IsOpen());
        // As the console runs two lines that came in one read: back to back.
        EXPECT_TRUE(RunSimCommand(server.Monitor(), "pull").ok);
        EXPECT_TRUE(RunSimCommand(server.Monitor(), "replug").ok);
        client.Receive(1, 3000ms);
        EXPECT_TRUE(client.HungUp());
        const auto deadline = Clock::now() + 3s;
        while (!QFileInfo(options.linkPath).exists() && Clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(QFileInfo(options.linkPath).exists()) << "a new device after the replug";
    }
}

TEST(SimServer, RefusesToReplaceARealFile) {
    QTemporaryDir dir;
    QFile file(dir.filePath("taken"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CSimServer::Options options;
    options.linkPath = file.fileName();
    CSimServer server(RevC(), options);
    EXPECT_FALSE(server.Start());
    EXPECT_FALSE(server.Error().isEmpty());
    EXPECT_FALSE(server.IsRunning());
}

TEST(SimServer, TracesBothDirections) {
    CSimServer server(RevC(), Unpaced());
    std::mutex mutex;
    std::vector<std::pair<bool, QString>> seen;
    server.SetTraceSink([&](Clock::time_point, bool sent, const Bytes&, const QString& note) {
        std::lock_guard lock(mutex);
        seen.emplace_back(sent, note);
    });
    ASSERT_TRUE(server.Start());
    Client client(server.Path());
    Bytes damaged = Query(0x1A);
    damaged[7] ^= 1;
    client.Send(damaged);
    client.Send(Query(0x1A));
    ASSERT_EQ(client.Receive(16).size(), 16u);
    server.Stop();
    std::lock_guard lock(mutex);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(false, QString("ignored (damaged)")));
    EXPECT_EQ(seen[1], std::make_pair(false, QString("request 01")));
    EXPECT_EQ(seen[2], std::make_pair(true, QString("reply 02")));
}

TEST(SimServer, StopsWhileAReplyIsStillOnItsWay) {
    auto server = std::make_unique<CSimServer>(RevC());
    ASSERT_TRUE(server->Start());
    const QString path = server->DevicePath();
    Client client(path);
    server->Monitor().SetReplyDelay(60000);
    client.Send(Query(0x1A));
    client.Receive(1, 50ms);
    auto stopped = std::async(std::launch::async, [&server] { server.reset(); });
    EXPECT_EQ(stopped.wait_for(10s), std::future_status::ready);
    client.Receive(1, 1000ms);
    EXPECT_TRUE(client.HungUp());
}
