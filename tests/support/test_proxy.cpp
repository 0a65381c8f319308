// The test proxy's listener, its SOCKS5 and HTTP handshakes and the relay between the two ends.
#include "support/test_proxy.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace yc::test {
namespace {

constexpr int kTickMs = 50;

bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A connected socket to `host` at `port`, trying each address the name has; -1 when none
// answers.
int connectTo(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return -1;
    }
    int fd = -1;
    for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    return fd;
}

// "host:port" of an authority, with or without brackets around an IPv6 address.
bool splitAuthority(std::string_view authority, std::string& host, int& port) {
    const std::size_t colon = authority.rfind(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    host = std::string(authority.substr(0, colon));
    if (host.size() > 1 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    port = std::atoi(std::string(authority.substr(colon + 1)).c_str());
    return !host.empty() && port > 0;
}

}  // namespace

TestProxy::TestProxy(Behaviour behaviour) : behaviour_(behaviour) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TestProxy::~TestProxy() {
    stopping_ = true;
    if (acceptor_.joinable()) {
        acceptor_.join();
    }
    for (std::thread& connection : connections_) {
        connection.join();
    }
    if (listener_ >= 0) {
        close(listener_);
    }
}

std::string TestProxy::setting(std::string_view scheme) const {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> TestProxy::socksTargets() const {
    const std::lock_guard lock(mutex_);
    return socksTargets_;
}

void TestProxy::acceptLoop() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, kTickMs) <= 0) {
            continue;
        }
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        ++accepted_;
        const std::lock_guard lock(mutex_);
        connections_.emplace_back([this, client] {
            serve(client);
            close(client);
        });
    }
}

// Waits in short ticks so that a test ending while a connection is idle does not hang.
bool TestProxy::readExactly(int fd, char* data, std::size_t size) {
    while (size > 0) {
        pollfd waiting{fd, POLLIN, 0};
        if (stopping_) {
            return false;
        }
        if (poll(&waiting, 1, kTickMs) <= 0) {
            continue;
        }
        const ssize_t n = recv(fd, data, size, 0);
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads up to the blank line that ends a request's header block, byte by byte so that nothing of
// the body is taken.
bool TestProxy::readHeaders(int fd, std::string& head) {
    char c = 0;
    while (!head.ends_with("\r\n\r\n")) {
        if (head.size() > 65536 || !readExactly(fd, &c, 1)) {
            return false;
        }
        head += c;
    }
    return true;
}

void TestProxy::serve(int client) {
    if (behaviour_ == Behaviour::CloseAtOnce) {
        return;
    }
    pollfd waiting{client, POLLIN, 0};
    while (!stopping_ && poll(&waiting, 1, kTickMs) == 0) {
    }
    char first = 0;
    if (stopping_ || recv(client, &first, 1, MSG_PEEK) != 1) {
        return;
    }
    if (first == '\x05') {
        serveSocks(client);
    } else {
        serveHttp(client);
    }
}

void TestProxy::serveSocks(int client) {
    char greeting[2];
    if (!readExactly(client, greeting, 2)) {
        return;
    }
    std::string methods(static_cast<unsigned char>(greeting[1]), '\0');
    if (!readExactly(client, methods.data(), methods.size())) {
        return;
    }
    if (methods.find('\x00') == std::string::npos) {
        sendAll(client, std::string_view("\x05\xFF", 2));
        return;
    }
    char request[4];
    if (!sendAll(client, std::string_view("\x05\x00", 2)) || !readExactly(client, request, 4) ||
        request[1] != '\x01') {
        return;
    }
    std::string host;
    std::string kind;
    if (request[3] == '\x01') {
        unsigned char address[4];
        if (!readExactly(client, reinterpret_cast<char*>(address), 4)) {
            return;
        }
        char text[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, address, text, sizeof text);
        host = text;
        kind = "ipv4";
    } else if (request[3] == '\x03') {
        char length = 0;
        if (!readExactly(client, &length, 1)) {
            return;
        }
        host.resize(static_cast<unsigned char>(length));
        if (!readExactly(client, host.data(), host.size())) {
            return;
        }
        kind = "name";
    } else {
        sendAll(client, std::string_view("\x05\x08\x00\x01\0\0\0\0\0\0", 10));
        return;
    }
    unsigned char portBytes[2];
    if (!readExactly(client, reinterpret_cast<char*>(portBytes), 2)) {
        return;
    }
    const int port = portBytes[0] << 8 | portBytes[1];
    ++socksConnects_;
    {
        const std::lock_guard lock(mutex_);
        socksTargets_.push_back(kind + " " + host + ":" + std::to_string(port));
    }
    const int target = behaviour_ == Behaviour::RefuseTarget ? -1 : connectTo(host, port);
    if (target < 0) {
        sendAll(client, std::string_view("\x05\x05\x00\x01\0\0\0\0\0\0", 10));
        return;
    }
    // The bound address is not something the clients here use, so zeros stand for it.
    if (sendAll(client, std::string_view("\x05\x00\x00\x01\0\0\0\0\0\0", 10))) {
        relay(client, target);
    }
    close(target);
}

void TestProxy::serveHttp(int client) {
    std::string head;
    if (!readHeaders(client, head)) {
        return;
    }
    const std::size_t lineEnd = head.find("\r\n");
    const std::string line = head.substr(0, lineEnd);
    const std::size_t space = line.find(' ');
    const std::size_t secondSpace = line.find(' ', space + 1);
    if (space == std::string::npos || secondSpace == std::string::npos) {
        return;
    }
    const std::string method = line.substr(0, space);
    std::string uri = line.substr(space + 1, secondSpace - space - 1);
    std::string host;
    int port = 0;
    if (method == "CONNECT") {
        ++httpTunnels_;
        if (!splitAuthority(uri, host, port)) {
            return;
        }
        const int target = behaviour_ == Behaviour::RefuseTarget ? -1 : connectTo(host, port);
        if (target < 0) {
            sendAll(client, "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        if (sendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n")) {
            relay(client, target);
        }
        close(target);
        return;
    }
    ++httpForwards_;
    constexpr std::string_view kScheme = "http://";
    if (!uri.starts_with(kScheme)) {
        return;
    }
    const std::size_t pathStart = uri.find('/', kScheme.size());
    const std::string authority = uri.substr(kScheme.size(), pathStart - kScheme.size());
    const std::string path = pathStart == std::string::npos ? "/" : uri.substr(pathStart);
    const int target =
        behaviour_ == Behaviour::RefuseTarget || !splitAuthority(authority, host, port)
            ? -1
            : connectTo(host, port);
    if (target < 0) {
        sendAll(client,
                "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return;
    }
    // One request per connection: the server is told to close after its answer, and the relay
    // ends with it, so the client never sends a second request down this path.
    std::string forwarded = method + " " + path + line.substr(secondSpace) + "\r\n";
    std::size_t at = lineEnd + 2;
    while (at < head.size() - 2) {
        const std::size_t end = head.find("\r\n", at);
        const std::string header = head.substr(at, end - at);
        at = end + 2;
        const std::string name = header.substr(0, header.find(':'));
        if (strcasecmp(name.c_str(), "Proxy-Connection") != 0 &&
            strcasecmp(name.c_str(), "Connection") != 0) {
            forwarded += header + "\r\n";
        }
    }
    forwarded += "Connection: close\r\n\r\n";
    if (sendAll(target, forwarded)) {
        relay(client, target);
    }
    close(target);
}

// Copies bytes both ways until either end closes.
void TestProxy::relay(int client, int target) {
    char buffer[16384];
    while (!stopping_) {
        pollfd ends[2] = {{client, POLLIN, 0}, {target, POLLIN, 0}};
        if (poll(ends, 2, kTickMs) <= 0) {
            continue;
        }
        for (int k = 0; k < 2; ++k) {
            if (ends[k].revents == 0) {
                continue;
            }
            const ssize_t n = recv(ends[k].fd, buffer, sizeof buffer, 0);
            if (n <= 0 ||
                !sendAll(ends[1 - k].fd, std::string_view(buffer, static_cast<std::size_t>(n)))) {
                return;
            }
        }
    }
}

}  // namespace yc::test
