// qelt32-test-hide-globals LISTEN UPSTREAM INTERFACE...: a Wayland display at the socket
// LISTEN that passes everything on to the compositor at UPSTREAM, except that its clients
// never hear of the globals named: a compositor without those protocols, as far as they
// can tell. It prints "ready" once it listens and serves until it is ended.
//
// Requests go through untouched; only wl_registry.global events are looked at, for the
// registries the client made with wl_display.get_registry. File descriptors go on with the
// bytes they came with, or with the next bytes sent when those were held back.

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <list>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxFds = 28; // what libwayland sends with one message at most
constexpr std::uint32_t kDisplay = 1;
constexpr std::uint16_t kGetRegistry = 1;
constexpr std::uint16_t kGlobal = 0;

struct Message {
    std::uint32_t object = 0;
    std::uint16_t opcode = 0;
    std::uint16_t size = 0;
};

// The header of the message at the start of `bytes`, when the whole message is there.
bool NextMessage(const std::vector<char>& bytes, Message& message) {
    if (bytes.size() < 8)
        return false;
    std::uint32_t words[2];
    std::memcpy(words, bytes.data(), sizeof words);
    message = {words[0], std::uint16_t(words[1] & 0xffff), std::uint16_t(words[1] >> 16)};
    return message.size >= 8 && bytes.size() >= message.size;
}

std::uint32_t Word(const std::vector<char>& bytes, std::size_t offset) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, sizeof word);
    return word;
}

// Reads what is there, with its descriptors; false at the end of the stream.
bool Receive(int fd, std::vector<char>& bytes, std::vector<int>& fds) {
    char buffer[4096];
    char control[CMSG_SPACE(sizeof(int) * kMaxFds)];
    iovec io{buffer, sizeof buffer};
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    header.msg_control = control;
    header.msg_controllen = sizeof control;
    const ssize_t got = ::recvmsg(fd, &header, MSG_CMSG_CLOEXEC);
    if (got <= 0)
        return false;
    bytes.insert(bytes.end(), buffer, buffer + got);
    for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c))
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS) {
            const std::size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
            const auto* first = reinterpret_cast<const int*>(CMSG_DATA(c));
            fds.insert(fds.end(), first, first + count);
        }
    return true;
}

// Sends `bytes` whole, the descriptors with the first part; they are closed here.
bool Send(int fd, const std::vector<char>& bytes, std::vector<int>& fds) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        iovec io{const_cast<char*>(bytes.data() + sent), bytes.size() - sent};
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        char control[CMSG_SPACE(sizeof(int) * kMaxFds)];
        const std::size_t count = std::min(fds.size(), kMaxFds);
        if (count > 0) {
            header.msg_control = control;
            header.msg_controllen = CMSG_SPACE(sizeof(int) * count);
            cmsghdr* c = CMSG_FIRSTHDR(&header);
            c->cmsg_level = SOL_SOCKET;
            c->cmsg_type = SCM_RIGHTS;
            c->cmsg_len = CMSG_LEN(sizeof(int) * count);
            std::memcpy(CMSG_DATA(c), fds.data(), sizeof(int) * count);
        }
        const ssize_t done = ::sendmsg(fd, &header, MSG_NOSIGNAL);
        if (done <= 0)
            return false;
        for (std::size_t i = 0; i < count; ++i)
            ::close(fds[i]);
        fds.erase(fds.begin(), fds.begin() + std::ptrdiff_t(count));
        sent += std::size_t(done);
    }
    return true;
}

class Connection {
public:
    Connection(int client, int upstream, const std::set<std::string>& hidden)
        : m_client(client), m_upstream(upstream), m_hidden(hidden) {}
    ~Connection() {
        ::close(m_client);
        ::close(m_upstream);
        for (int fd : m_fromClientFds)
            ::close(fd);
        for (int fd : m_fromUpstreamFds)
            ::close(fd);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int Client() const { return m_client; }
    int Upstream() const { return m_upstream; }

    // The client's requests go on as they are; its registries are noted.
    bool FromClient() {
        std::vector<char> chunk;
        if (!Receive(m_client, chunk, m_fromClientFds))
            return false;
        m_requests.insert(m_requests.end(), chunk.begin(), chunk.end());
        Message message;
        while (NextMessage(m_requests, message)) {
            if (message.object == kDisplay && message.opcode == kGetRegistry && message.size >= 12)
                m_registries.insert(Word(m_requests, 8));
            m_requests.erase(m_requests.begin(), m_requests.begin() + message.size);
        }
        return Send(m_upstream, chunk, m_fromClientFds);
    }

    // The compositor's events go on whole, less the globals that are hidden.
    bool FromUpstream() {
        if (!Receive(m_upstream, m_events, m_fromUpstreamFds))
            return false;
        std::vector<char> out;
        Message message;
        while (NextMessage(m_events, message)) {
            if (!Hidden(message))
                out.insert(out.end(), m_events.begin(), m_events.begin() + message.size);
            m_events.erase(m_events.begin(), m_events.begin() + message.size);
        }
        return out.empty() || Send(m_client, out, m_fromUpstreamFds);
    }

private:
    // wl_registry.global: uint name, string interface (length with its NUL, then the bytes),
    // uint version.
    bool Hidden(const Message& message) const {
        if (message.opcode != kGlobal || !m_registries.count(message.object) || message.size < 16)
            return false;
        const std::uint32_t length = Word(m_events, 12);
        if (length == 0 || 16 + length > message.size)
            return false;
        return m_hidden.count(std::string(m_events.data() + 16, length - 1)) > 0;
    }

    int m_client;
    int m_upstream;
    const std::set<std::string>& m_hidden;
    std::set<std::uint32_t> m_registries;
    std::vector<char> m_requests, m_events;
    std::vector<int> m_fromClientFds, m_fromUpstreamFds;
};

sockaddr_un Address(const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    return address;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: qelt32-test-hide-globals LISTEN UPSTREAM INTERFACE...\n";
        return 2;
    }
    const std::set<std::string> hidden(argv + 3, argv + argc);
    const sockaddr_un listenAddress = Address(argv[1]);
    const sockaddr_un upstreamAddress = Address(argv[2]);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ::unlink(argv[1]);
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<const sockaddr*>(&listenAddress), sizeof listenAddress) !=
            0 ||
        ::listen(listener, 8) != 0) {
        std::perror("qelt32-test-hide-globals: listen");
        return 1;
    }
    std::cout << "ready" << std::endl;

    std::list<Connection> connections;
    for (;;) {
        std::vector<pollfd> watched{{listener, POLLIN, 0}};
        for (const Connection& c : connections) {
            watched.push_back({c.Client(), POLLIN, 0});
            watched.push_back({c.Upstream(), POLLIN, 0});
        }
        if (::poll(watched.data(), watched.size(), -1) < 0)
            continue;
        std::size_t index = 1;
        for (auto c = connections.begin(); c != connections.end(); index += 2) {
            const bool fromClient = watched[index].revents != 0;
            const bool fromUpstream = watched[index + 1].revents != 0;
            const bool open =
                (!fromClient || c->FromClient()) && (!fromUpstream || c->FromUpstream());
            c = open ? std::next(c) : connections.erase(c);
        }
        if (watched[0].revents & POLLIN) {
            const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            const int upstream = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (client >= 0 && upstream >= 0 &&
                ::connect(upstream, reinterpret_cast<const sockaddr*>(&upstreamAddress),
                          sizeof upstreamAddress) == 0) {
                connections.emplace_back(client, upstream, hidden);
            } else {
                std::perror("qelt32-test-hide-globals: connect");
                ::close(client);
                ::close(upstream);
            }
        }
    }
}
