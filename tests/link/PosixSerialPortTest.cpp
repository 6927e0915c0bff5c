#include "platform/PosixSerialPort.h"
#include "link/Monicom.h"
#include "platform/PortWait.h"

#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
// A pseudo-terminal pair: the test plays the monitor on the master side.
struct Pty {
    Pty() {
        char name[128] = {};
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = QString::fromLocal8Bit(name);
    }
    ~Pty() {
        CloseMaster();
        ::close(slave);
    }
    void Send(std::initializer_list<std::uint8_t> bytes) {
        const std::vector<std::uint8_t> data(bytes);
        ASSERT_EQ(::write(master, data.data(), data.size()), ssize_t(data.size()));
    }
    void CloseMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    int master = -1;
    int slave = -1; // held so the pair stays alive whatever the port does
    QString path;
};

class PosixSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(port.Open(pty.path)) << qPrintable(port.LastError()); }

    Pty pty;
    CPosixSerialPort port;
};
} // namespace

TEST_F(PosixSerialPortTest, ExchangesBytesInRawMode) {
    const std::uint8_t frame[] = {0x55, 0x55, 0x6E, 0x50, 0x0A, 0x0D};
    ASSERT_TRUE(port.WaitOutputDrained(Clock::now() + 1s));
    ASSERT_TRUE(port.WriteAll(frame, sizeof frame));
    std::uint8_t echo[sizeof frame] = {};
    ASSERT_EQ(::read(pty.master, echo, sizeof echo), ssize_t(sizeof echo));
    EXPECT_EQ(std::vector(echo, echo + 6), std::vector(frame, frame + 6)) << "no CR/LF mapping";

    pty.Send({0x55, 0x0D, 0x0A, 0x03, 0x11});
    ASSERT_TRUE(port.WaitQueued(5, Clock::now() + 1s));
    EXPECT_EQ(port.QueuedInput(), 5);
    std::uint8_t in[5] = {};
    ASSERT_TRUE(port.ReadExact(in, 5));
    EXPECT_EQ(std::vector(in, in + 5), (std::vector<std::uint8_t>{0x55, 0x0D, 0x0A, 0x03, 0x11}));
    EXPECT_FALSE(port.ReadExact(in, 1)) << "a short read fails";
}

TEST_F(PosixSerialPortTest, LineIsSetTo9600EightNoneOne) {
    termios tio{};
    ASSERT_EQ(tcgetattr(pty.slave, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL));
    // What the port read back agrees.
    EXPECT_EQ(SerialLine::From(tio).Describe(), port.Line().Describe());
    EXPECT_TRUE(port.Line().Problems().isEmpty());
}

TEST_F(PosixSerialPortTest, WaitEndsAtTheDeadlineWhenBytesNeverCome) {
    pty.Send({1, 2});
    EXPECT_FALSE(port.WaitQueued(3, Clock::now() + 50ms));
    EXPECT_EQ(port.QueuedInput(), 2) << "nothing is consumed by waiting";
}

TEST_F(PosixSerialPortTest, WaitFollowsBytesArrivingAtLineSpeed) {
    std::thread sender([&] {
        for (std::uint8_t b = 0; b < 12; ++b) {
            std::this_thread::sleep_for(1ms);
            pty.Send({b});
        }
    });
    EXPECT_TRUE(port.WaitQueued(12, Clock::now() + 3s));
    sender.join();
}

TEST_F(PosixSerialPortTest, HangUpFailsAWaitInProgressAtOnce) {
    std::thread puller([&] {
        std::this_thread::sleep_for(30ms);
        pty.CloseMaster();
    });
    const auto start = Clock::now();
    EXPECT_FALSE(port.WaitQueued(1, start + 10s));
    puller.join();
    EXPECT_LT(Clock::now() - start, 5s) << "the deadline must not be waited out";
    EXPECT_EQ(port.QueuedInput(), -1);
    EXPECT_FALSE(port.WaitQueued(1, Clock::now() + 10s));
    EXPECT_FALSE(port.LastError().isEmpty());
}

TEST_F(PosixSerialPortTest, PurgeDiscardsWhatIsQueued) {
    pty.Send({1, 2, 3});
    ASSERT_TRUE(port.WaitQueued(3, Clock::now() + 1s));
    port.Purge();
    EXPECT_EQ(port.QueuedInput(), 0);
}

TEST_F(PosixSerialPortTest, DeviceIsHeldExclusivelyUntilClosed) {
    CPosixSerialPort second;
    EXPECT_FALSE(second.Open(pty.path));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(second.LastError().contains("in use"));
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.QueuedInput(), -1);
    EXPECT_TRUE(second.Open(pty.path)) << qPrintable(second.LastError());
}

TEST(PosixSerialPort, RefusesMissingDevicesAndNonTerminals) {
    CPosixSerialPort port;
    EXPECT_FALSE(port.Open("/dev/does-not-exist"));
    EXPECT_FALSE(port.LastError().isEmpty());
    EXPECT_FALSE(port.Open("/dev/null"));
    EXPECT_TRUE(port.LastError().contains("not a serial device"));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.WaitQueued(1, Clock::now() + 1s));
    port.Close(); // closing a closed port does nothing
}

TEST(PortWait, StopDescriptorEndsAnEndlessWait) {
    const int stop = eventfd(0, EFD_CLOEXEC);
    const int data = eventfd(0, EFD_CLOEXEC);
    CPortWait wait(data, stop);
    std::thread stopper([&] {
        std::this_thread::sleep_for(20ms);
        const std::uint64_t one = 1;
        ASSERT_EQ(::write(stop, &one, sizeof one), 8);
    });
    EXPECT_EQ(wait.WaitForCount([] { return 2; }, 6, std::nullopt), CPortWait::Result::Stopped);
    stopper.join();
    EXPECT_EQ(wait.WaitForCount([] { return -1; }, 6, std::nullopt), CPortWait::Result::Failed);
    EXPECT_EQ(wait.WaitForCount([] { return 6; }, 6, std::nullopt), CPortWait::Result::Ready);
    ::close(stop);
    ::close(data);
}

namespace {
// An adapter going bad: the driver still counts queued bytes, but every read fails.
class FailingReadPort : public CPosixSerialPort {
protected:
    ssize_t ReadSome(int, std::uint8_t*, std::size_t) override {
        ++reads;
        errno = EIO;
        return -1;
    }

public:
    int reads = 0;
};
} // namespace

TEST(PosixSerialPortFailureTest, ReadErrorWithBytesQueuedEndsThePortForGood) {
    Pty pty;
    FailingReadPort port;
    ASSERT_TRUE(port.Open(pty.path)) << qPrintable(port.LastError());
    pty.Send({1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(port.WaitQueued(6, Clock::now() + 1s));
    std::uint8_t in[6] = {};
    EXPECT_FALSE(port.ReadExact(in, 6));
    EXPECT_EQ(port.reads, 1) << "an error is not retried";
    EXPECT_EQ(port.QueuedInput(), -1) << "the bytes still counted by the driver are unreachable";
    EXPECT_EQ(port.QueuedOutput(), -1);
    EXPECT_FALSE(port.WaitQueued(1, Clock::now() + 1s));
    port.ClearError();
    EXPECT_TRUE(port.LastError().contains(QStringLiteral("Input/output error")))
        << qPrintable(port.LastError());
    EXPECT_EQ(port.Failure(), port.LastError());
    // Opening again starts afresh.
    ASSERT_TRUE(port.Open(pty.path));
    EXPECT_TRUE(port.Failure().isEmpty());
    EXPECT_EQ(port.QueuedInput(), 6);
}

TEST(PosixSerialPortFailureTest, HangUpIsKeptAsTheFailure) {
    Pty pty;
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    pty.CloseMaster();
    EXPECT_FALSE(port.WaitQueued(1, Clock::now() + 1s));
    EXPECT_EQ(port.Failure(), QStringLiteral("the device hung up"));
    EXPECT_EQ(port.QueuedInput(), -1);
}

// A line whose output is held (flow control, an adapter that never sends) takes no frame:
// the probe says so instead of blaming a silent monitor.
TEST(PosixSerialPortFailureTest, APortThatTakesNoDataIsToldApartFromASilentMonitor) {
    Pty pty;
    CMonicom link;
    link.SetTimings({200ms, 10ms, 10ms});
    ASSERT_EQ(::ioctl(pty.slave, TCXONC, TCOOFF), 0);
    EXPECT_FALSE(link.OpenDevice(pty.path));
    EXPECT_EQ(link.OpenFailure(),
              pty.path + QStringLiteral(": the port did not accept data (write timed out)"));

    ASSERT_EQ(::ioctl(pty.slave, TCXONC, TCOON), 0);
    EXPECT_FALSE(link.OpenDevice(pty.path));
    EXPECT_EQ(link.OpenFailure(), pty.path + QStringLiteral(": no monitor answered"));
}
