#include "app/InstanceChannel.h"
#include "app/InstanceServer.h"
#include "app/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <execinfo.h>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace InstanceChannel;
using namespace std::chrono_literals;

namespace {

constexpr uid_t kNobody = 65534;

// Runs a hand-over on its own thread while this one serves the requests.
HandOverResult HandOverServed(const QString& folder, const QString& path,
                              std::chrono::milliseconds timeout = 5000ms) {
    auto result = std::async(std::launch::async, [&] { return HandOver(folder, path, timeout); });
    while (result.wait_for(0ms) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result.get();
}

QByteArray Header(quint32 length) {
    char bytes[4];
    qToBigEndian(length, bytes);
    return QByteArray("Q32OPEN1") + QByteArray(bytes, 4);
}

// A listening socket at `path` made without Qt; the caller closes it.
int RawListener(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(fd, 4), 0);
    return fd;
}

bool HasPendingConnection(int listener) {
    pollfd fd{listener, POLLIN, 0};
    return ::poll(&fd, 1, 0) == 1;
}

// Whether one of the callers lies in this library.
bool CalledFrom(const char* library) {
    void* frames[128];
    const int count = ::backtrace(frames, 128);
    char** names = ::backtrace_symbols(frames, count);
    bool found = false;
    for (int i = 0; names && i < count && !found; ++i)
        found = std::strstr(names[i], library) != nullptr;
    std::free(names);
    return found;
}

mode_t Mode(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_EQ(server.Start(folder.path(), &why), CInstanceServer::StartResult::Listening)
            << why.toStdString();
        QFile file(File());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString File() const { return files.filePath(QStringLiteral("a.qlt")); }

    // Sends raw bytes as a client and says whether the server answered "ok"; the server must
    // drop the connection either way.
    QByteArray SendRaw(const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(SocketPath(folder.path()));
        EXPECT_TRUE(socket.waitForConnected(1000));
        socket.write(bytes);
        socket.flush();
        QByteArray answer;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                answer += socket.readAll();
                return socket.state() == QLocalSocket::UnconnectedState;
            },
            CInstanceServer::kRequestTimeoutMs + 2000));
        return answer + socket.readAll();
    }

    QTemporaryDir folder, files;
    QString why;
    CInstanceServer server;
    QSignalSpy opened{&server, &CInstanceServer::openRequested};
};

TEST_F(SingleInstanceTest, HandsOverAFileAsAnAbsolutePathOrOnlyAsksForTheWindow) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(files.path());
    const HandOverResult relative = HandOverServed(folder.path(), QStringLiteral("a.qlt"));
    QDir::setCurrent(before);
    EXPECT_EQ(relative, HandOverResult::Accepted);
    EXPECT_EQ(HandOverServed(folder.path(), QString()), HandOverResult::Accepted);

    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.size() == 2; }, 20000));
    EXPECT_EQ(opened.at(0).at(0).toString(), File());
    EXPECT_EQ(opened.at(1).at(0).toString(), QString());
}

// The running program answers a handed-over file it refuses (another monitor's) with a
// message box: its event loop runs while the client disconnects and its socket goes. Under
// the address sanitizer a request delivered inside the socket's own handler fails here.
TEST_F(SingleInstanceTest, AHandOverAnsweredWithAModalBoxOutlivesItsSocket) {
    QStringList opened;
    bool insideSocketHandler = false;
    QObject::connect(&server, &CInstanceServer::openRequested, [&](const QString& path) {
        opened << path;
        insideSocketHandler |= CalledFrom("libQt6Network");
        QEventLoop box;
        QTimer::singleShot(150, &box, &QEventLoop::quit);
        box.exec();
    });
    const QString memory = QStringLiteral("/proc/self/mem");
    for (int round = 0; round < 20; ++round) {
        const QString path = round == 19 ? memory : File();
        ASSERT_EQ(HandOverServed(folder.path(), path), HandOverResult::Accepted) << round;
        ASSERT_TRUE(QTest::qWaitFor([&] { return opened.size() == round + 1; }, 20000)) << round;
        EXPECT_EQ(opened.last(), path);
        QTest::qWait(20); // what the box left behind is deleted now
    }
    EXPECT_FALSE(insideSocketHandler);
}

TEST_F(SingleInstanceTest, RefusesPathsThatAreNoPlainFile) {
    EXPECT_EQ(HandOverServed(folder.path(), files.filePath(QStringLiteral("missing.qlt"))),
              HandOverResult::Refused);
    EXPECT_EQ(HandOverServed(folder.path(), files.path()), HandOverResult::Refused);
    EXPECT_EQ(HandOverServed(folder.path(), QStringLiteral("/dev/null")), HandOverResult::Refused);
    // A relative path means nothing to the running instance, whose folder is another.
    EXPECT_EQ(SendRaw(EncodeRequest(QStringLiteral("a.qlt"))), kRefused);
    QTest::qWait(50);
    EXPECT_EQ(opened.size(), 0);
}

TEST_F(SingleInstanceTest, DropsMalformedRequestsAndKeepsServing) {
    const QByteArray path = File().toUtf8();
    const QByteArray cases[] = {
        QByteArray("GET / HTTP/1.0\r\n\r\n"),
        Header(0xFFFFFFFFu), // a length beyond any path
        Header(kMaxPathBytes + 1) + QByteArray(kMaxPathBytes + 1, 'a'),
        Header(4000) + QByteArray(1 << 20, 'x'),          // a megabyte behind the header
        Header(quint32(path.size())) + path + "trailing", // more than one request
        Header(6) + QByteArray("/a\0.ql", 6),             // a NUL in the path
        Header(4) + QByteArray("/\xff\xfe.", 4),          // not UTF-8
        QByteArray(),                                     // says nothing until dropped
    };
    for (const QByteArray& bytes : cases)
        EXPECT_EQ(SendRaw(bytes), QByteArray()) << bytes.left(40).toHex().toStdString();
    QTest::qWait(50);
    EXPECT_EQ(opened.size(), 0);

    // The server still takes a good request afterwards.
    EXPECT_EQ(HandOverServed(folder.path(), File()), HandOverResult::Accepted);
}

TEST_F(SingleInstanceTest, TooManyOpenConnectionsAreCutOff) {
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < CInstanceServer::kMaxConnections + 3; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(SocketPath(folder.path()));
        ASSERT_TRUE(idle.back()->waitForConnected(1000));
    }
    QTest::qWait(100);
    int open = 0;
    for (auto& socket : idle)
        open += socket->state() == QLocalSocket::ConnectedState;
    EXPECT_EQ(open, CInstanceServer::kMaxConnections);
    // Silent connections are dropped in time, and the slots are free again.
    QTest::qWait(CInstanceServer::kRequestTimeoutMs + 200);
    EXPECT_EQ(HandOverServed(folder.path(), File()), HandOverResult::Accepted);
}

TEST_F(SingleInstanceTest, ASecondStartFindsTheFirstAndALaterOneTakesOverAStaleSocket) {
    CInstanceServer second;
    EXPECT_EQ(second.Start(folder.path(), &why), CInstanceServer::StartResult::AlreadyRunning);

    // A crashed instance leaves its socket but not its lock.
    QTemporaryDir crashed;
    ::close(RawListener(SocketPath(crashed.path())));
    ASSERT_TRUE(IsOwnSocket(SocketPath(crashed.path())));
    EXPECT_EQ(HandOver(crashed.path(), File(), 200ms), HandOverResult::NoAnswer);
    CInstanceServer next;
    ASSERT_EQ(next.Start(crashed.path(), &why), CInstanceServer::StartResult::Listening)
        << why.toStdString();
    EXPECT_EQ(HandOverServed(crashed.path(), File()), HandOverResult::Accepted);
}

TEST_F(SingleInstanceTest, SomethingElseAtTheSocketPathIsLeftAlone) {
    QTemporaryDir other;
    QFile planted(SocketPath(other.path()));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.write("mine");
    planted.close();
    CInstanceServer next;
    EXPECT_EQ(next.Start(other.path(), &why), CInstanceServer::StartResult::Unavailable);
    EXPECT_EQ(planted.size(), 4);
    EXPECT_EQ(HandOver(other.path(), File(), 200ms), HandOverResult::NoAnswer);
}

TEST(InstanceNameTest, OneInstancePerDisplayNamedSafely) {
    const QByteArray display = qgetenv("DISPLAY"), wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":99");
    EXPECT_EQ(InstanceName(), QStringLiteral("qelt32-_99"));
    qputenv("DISPLAY", "../../x/y:0.0");
    EXPECT_EQ(InstanceName(), QStringLiteral("qelt32-.._.._x_y_0.0"));
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_EQ(InstanceName(), QStringLiteral("qelt32-wayland-1"));
    // A display named by its socket's full path: a short name, one per path.
    const QString deep = QStringLiteral("/tmp/") + QString(80, QLatin1Char('d'));
    qputenv("WAYLAND_DISPLAY", (deep + QStringLiteral("/wayland-1")).toUtf8());
    const QString first = InstanceName();
    EXPECT_LE(first.size(), 40) << first.toStdString();
    qputenv("WAYLAND_DISPLAY", (deep + QStringLiteral("/wayland-2")).toUtf8());
    EXPECT_NE(InstanceName(), first);
    QTemporaryDir longDisplay;
    QString failure;
    CInstanceServer server;
    EXPECT_EQ(server.Start(longDisplay.path(), &failure), CInstanceServer::StartResult::Listening)
        << failure.toStdString();
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    EXPECT_EQ(InstanceName(), QStringLiteral("qelt32"));

    // Two displays, two instances in one folder.
    QTemporaryDir folder;
    QString why;
    CInstanceServer here, there;
    qputenv("DISPLAY", ":1");
    EXPECT_EQ(here.Start(folder.path(), &why), CInstanceServer::StartResult::Listening);
    qputenv("DISPLAY", ":2");
    EXPECT_EQ(there.Start(folder.path(), &why), CInstanceServer::StartResult::Listening);
    display.isNull() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", display);
    if (!wayland.isNull())
        qputenv("WAYLAND_DISPLAY", wayland);
}

TEST(RuntimeFolderTest, TakesAPrivateRuntimeFolderElseMakesItsOwn) {
    QTemporaryDir runtime, temp;
    qputenv("TMPDIR", temp.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QString why;
    EXPECT_EQ(RuntimeFolder(&why), runtime.path());

    // A runtime folder others may enter is not used; our own is made, for us only.
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0755);
    const QString own = temp.path() + QStringLiteral("/qelt32-%1").arg(::geteuid());
    EXPECT_EQ(RuntimeFolder(&why), own);
    EXPECT_EQ(Mode(own), mode_t(0700));
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RuntimeFolder(&why), own);

    // Someone made it before us for all to enter, or as a link: it is refused.
    ::chmod(QFile::encodeName(own).constData(), 0777);
    EXPECT_EQ(RuntimeFolder(&why), QString());
    EXPECT_TRUE(why.contains(QStringLiteral("other users"))) << why.toStdString();
    ::rmdir(QFile::encodeName(own).constData());
    ASSERT_EQ(::symlink(QFile::encodeName(runtime.path()).constData(),
                        QFile::encodeName(own).constData()),
              0);
    EXPECT_EQ(RuntimeFolder(&why), QString());
    EXPECT_TRUE(why.contains(QStringLiteral("not a folder"))) << why.toStdString();
    qunsetenv("TMPDIR");
}

// The checks against other users need a second user: only when the tests run as root.
class OtherUserTest : public SingleInstanceTest {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to act as another user";
        SingleInstanceTest::SetUp();
    }
};

TEST_F(OtherUserTest, AnotherUsersSocketIsNeverContacted) {
    QTemporaryDir theirs;
    const int listener = RawListener(SocketPath(theirs.path()));
    ASSERT_EQ(::chown(QFile::encodeName(SocketPath(theirs.path())).constData(), kNobody, kNobody),
              0);
    EXPECT_EQ(HandOver(theirs.path(), File(), 300ms), HandOverResult::NoAnswer);
    EXPECT_FALSE(HasPendingConnection(listener));
    ::close(listener);

    CInstanceServer server2;
    EXPECT_EQ(server2.Start(theirs.path(), &why), CInstanceServer::StartResult::Unavailable);
    EXPECT_TRUE(QFile::exists(SocketPath(theirs.path()))); // not removed as if stale
}

TEST_F(OtherUserTest, RequestsFromAnotherUserAreDropped) {
    // Open the way to the socket, as a careless setup might, so only the peer check is left.
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    ::chmod(QFile::encodeName(SocketPath(folder.path())).constData(), 0777);
    ::chmod(QFile::encodeName(files.path()).constData(), 0755);
    const QByteArray request = EncodeRequest(File());
    const QByteArray socketPath = QFile::encodeName(SocketPath(folder.path()));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The other user connects, asks, and reports: 0 dropped, 1 answered, 2 not connected.
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            ::_exit(2);
        (void)!::write(fd, request.constData(), size_t(request.size()));
        char answer[16];
        ::_exit(::read(fd, answer, sizeof answer) > 0 ? 1 : 0);
    }
    int status = -1;
    const bool ended =
        QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 15000);
    if (!ended)
        ::kill(child, SIGKILL);
    ASSERT_TRUE(ended) << "the other user's client hangs";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "0 dropped, 1 answered, 2 not connected, 3 no setuid";
    QTest::qWait(50);
    EXPECT_EQ(opened.size(), 0);
}

} // namespace
