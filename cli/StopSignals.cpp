#include "cli/StopSignals.h"

#include "platform/PortInterrupt.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCount = int(std::size(kSignals));

// The handler may only set flags and write to descriptors; the event loop reads the pipe.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[kCount];
std::atomic<int> g_received{0};
CStopSignals* g_active = nullptr;

void OnSignal(int signalNumber) {
    int none = 0; // the first signal is the one that stopped the run
    g_received.compare_exchange_strong(none, signalNumber);
    PortInterrupt::Request();
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &number, 1);
}

} // namespace

CStopSignals::CStopSignals() {
    if (g_active || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_active = this;
    PortInterrupt::Prepare();
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CStopSignals::OnReadable);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigfillset(&action.sa_mask); // one handler at a time
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
}

CStopSignals::~CStopSignals() {
    if (!m_pNotifier)
        return;
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_pNotifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
    g_active = nullptr;
}

CStopSignals* CStopSignals::Active() {
    return g_active;
}

int CStopSignals::Received() {
    return g_received;
}

QString CStopSignals::Name(int signalNumber) {
    switch (signalNumber) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signalNumber);
    }
}

void CStopSignals::OnReadable() {
    unsigned char number = 0;
    if (::read(g_pipe[0], &number, 1) == 1)
        emit stopped(number);
}
