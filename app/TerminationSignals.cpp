#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read by the event loop. -1 while no object listens.
volatile std::sig_atomic_t g_writeEnd = -1;

void OnSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a signal that will be acted on.
    if (g_writeEnd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    }
    errno = saved;
}

} // namespace

CTerminationSignals::CTerminationSignals(QObject* parent) : QObject(parent) {}

CTerminationSignals::~CTerminationSignals() {
    if (m_installed)
        for (int i = 0; i < 3; ++i)
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
    g_writeEnd = -1;
    for (int fd : m_pipe)
        if (fd >= 0)
            ::close(fd);
}

bool CTerminationSignals::Install() {
    if (m_installed)
        return true;
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CTerminationSignals::OnReadable);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // The handler is taken once: the next signal of the kind has its default effect.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
    m_installed = true;
    return true;
}

void CTerminationSignals::OnReadable() {
    unsigned char number = 0;
    while (::read(m_pipe[0], &number, 1) == 1)
        emit received(number);
}
