// A proxy on 127.0.0.1 for tests: SOCKS5 (no authentication, CONNECT to an IPv4 address or a
// name) and HTTP (CONNECT tunnels, and absolute-URI requests forwarded for plain http), counting
// what it served so a test can tell that traffic went through it.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace yc::test {

class TestProxy {
  public:
    enum class Behaviour {
        Relay,         ///< serves every request
        CloseAtOnce,   ///< closes each connection as soon as it is accepted
        RefuseTarget,  ///< answers that the target cannot be reached (SOCKS reply 5, HTTP 502)
    };

    explicit TestProxy(Behaviour behaviour = Behaviour::Relay);
    ~TestProxy();
    TestProxy(const TestProxy&) = delete;
    TestProxy& operator=(const TestProxy&) = delete;

    bool started() const { return port_ != 0; }
    int port() const { return port_; }
    /// The proxy setting that names this proxy, e.g. "socks5h://127.0.0.1:40123".
    std::string setting(std::string_view scheme) const;

    int accepted() const { return accepted_; }
    int socksConnects() const { return socksConnects_; }
    int httpTunnels() const { return httpTunnels_; }
    int httpForwards() const { return httpForwards_; }
    /// What each SOCKS CONNECT asked for, in arrival order: "ipv4 127.0.0.1:43" or
    /// "name localhost:43".
    std::vector<std::string> socksTargets() const;

  private:
    void acceptLoop();
    void serve(int client);
    void serveSocks(int client);
    void serveHttp(int client);
    void relay(int client, int target);
    bool readExactly(int fd, char* data, std::size_t size);
    bool readHeaders(int fd, std::string& head);

    Behaviour behaviour_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    std::atomic<int> socksConnects_{0};
    std::atomic<int> httpTunnels_{0};
    std::atomic<int> httpForwards_{0};
    std::thread acceptor_;
    mutable std::mutex mutex_;  // guards the members below
    std::vector<std::thread> connections_;
    std::vector<std::string> socksTargets_;
};

}  // namespace yc::test
