// A listening TCP socket on 127.0.0.1 that serves each accepted connection on a thread of its
// own, for the simulator's HTTP server and its WHOIS listener.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace yc::sim {

class LoopbackListener {
  public:
    LoopbackListener() = default;
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    /// Listens on `port` (0: a free one) and hands every accepted socket to `serve`, which owns
    /// it. False when the port cannot be used.
    bool start(int port, std::function<void(int fd)> serve);
    /// Stops accepting and waits for the connection threads; the owner makes them end first.
    void stop();
    int port() const { return port_; }

  private:
    void acceptLoop();

    std::function<void(int)> serve_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex mutex_;  // guards connections_
    std::vector<std::thread> connections_;
};

}  // namespace yc::sim
