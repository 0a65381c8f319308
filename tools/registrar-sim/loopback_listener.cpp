// The simulator's loopback listener and its connection threads.
#include "loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace yc::sim {

LoopbackListener::~LoopbackListener() {
    stop();
}

bool LoopbackListener::start(int port, std::function<void(int fd)> serve) {
    serve_ = std::move(serve);
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    if (fd_ < 0) {
        return false;
    }
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd_, 64) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return false;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
    return true;
}

void LoopbackListener::acceptLoop() {
    while (!stopping_) {
        pollfd waiting{fd_, POLLIN, 0};
        if (poll(&waiting, 1, 100) <= 0) {
            continue;
        }
        const int fd = accept(fd_, nullptr, nullptr);
        if (fd >= 0) {
            const std::lock_guard lock(mutex_);
            connections_.emplace_back([this, fd] { serve_(fd); });
        }
    }
}

void LoopbackListener::stop() {
    stopping_ = true;
    if (acceptor_.joinable()) {
        acceptor_.join();
    }
    std::vector<std::thread> connections;
    {
        const std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    for (std::thread& connection : connections) {
        connection.join();
    }
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

}  // namespace yc::sim
