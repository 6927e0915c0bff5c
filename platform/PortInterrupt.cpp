#include "platform/PortInterrupt.h"

#include <atomic>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
// Lock-free, so that a signal handler may set it.
std::atomic<bool> g_requested{false};
std::atomic<int> g_descriptor{-1};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);
} // namespace

namespace PortInterrupt {

void Prepare() {
    if (g_descriptor.load() < 0)
        g_descriptor = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void Request() {
    g_requested = true;
    // Never read: the descriptor stays readable and every later wait ends at once too.
    const std::uint64_t one = 1;
    if (const int fd = g_descriptor.load(); fd >= 0) [[maybe_unused]]
        const ssize_t written = ::write(fd, &one, sizeof one);
}

bool Requested() {
    return g_requested;
}

int Descriptor() {
    return g_descriptor;
}

void ClearForTests() {
    g_requested = false;
    std::uint64_t count = 0;
    if (const int fd = g_descriptor.load(); fd >= 0) [[maybe_unused]]
        const ssize_t read = ::read(fd, &count, sizeof count);
}

} // namespace PortInterrupt
