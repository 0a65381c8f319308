// WHOIS lookups over non-blocking TCP sockets, directly or through a SOCKS5 proxy.
#include "registry/whois_lookups.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>

#include "http/proxy_setting.h"
#include "registry/host_queues.h"
#include "registry/whois_answer.h"

namespace yc::registry {
namespace {

using Clock = std::chrono::steady_clock;

// Through a SOCKS proxy, the greeting and the connect request each go out in full and their
// replies are read before the query is sent.
enum class Phase { Waiting, Connecting, SocksGreeting, SocksConnect, Sending, Reading, Done };

struct Lookup {
    WhoisQuery query;
    std::string server;  // host:port, the unit the limits count
    Phase phase = Phase::Waiting;
    int fd = -1;
    std::string handshake;  // the SOCKS message of the current phase
    std::size_t handshakeSent = 0;
    std::string reply;  // the SOCKS reply read so far
    std::size_t sent = 0;
    std::string answer;
    Clock::time_point deadline;
};

// No authentication is the only method offered.
constexpr std::string_view kSocksGreeting{"\x05\x01\x00", 3};

// What the reply codes of a refused SOCKS5 CONNECT mean, from 1 on.
constexpr std::string_view kSocksRefusals[] = {
    "general failure",       "not allowed by the proxy's rules",
    "network unreachable",   "host unreachable",
    "connection refused",    "time to live expired",
    "command not supported", "address type not supported",
};

std::string socksRefusal(unsigned char code) {
    if (code >= 1 && code <= std::size(kSocksRefusals)) {
        return std::string(kSocksRefusals[code - 1]);
    }
    return "reply " + std::to_string(code);
}

// A SOCKS5 CONNECT to the lookup's server: by name for socks5h, by the address the name resolves
// to here for socks5. Empty when the name cannot be given either way.
std::string socksConnectRequest(const WhoisQuery& query, bool remoteNames) {
    std::string request{'\x05', '\x01', '\x00'};
    if (remoteNames) {
        if (query.host.empty() || query.host.size() > 255) {
            return {};
        }
        request += '\x03';
        request += static_cast<char>(query.host.size());
        request += query.host;
    } else {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(query.host.c_str(), nullptr, &hints, &found) != 0) {
            return {};
        }
        if (found->ai_family == AF_INET) {
            const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
            request += '\x01';
            request.append(reinterpret_cast<const char*>(&address->sin_addr), 4);
        } else if (found->ai_family == AF_INET6) {
            const auto* address = reinterpret_cast<const sockaddr_in6*>(found->ai_addr);
            request += '\x04';
            request.append(reinterpret_cast<const char*>(&address->sin6_addr), 16);
        }
        const bool known = found->ai_family == AF_INET || found->ai_family == AF_INET6;
        freeaddrinfo(found);
        if (!known) {
            return {};
        }
    }
    request += static_cast<char>((query.port >> 8) & 0xFF);
    request += static_cast<char>(query.port & 0xFF);
    return request;
}

// How long the SOCKS reply in `reply` is in all, once enough of it has arrived to tell (its
// first five bytes); 0 before that.
std::size_t socksReplyLength(const std::string& reply) {
    if (reply.size() < 5) {
        return 0;
    }
    switch (reply[3]) {
        case '\x01':
            return 4 + 4 + 2;
        case '\x04':
            return 4 + 16 + 2;
        case '\x03':
            return 4 + 1 + static_cast<unsigned char>(reply[4]) + 2;
        default:
            return 5;  // an address type we do not know: the reply is judged on what came
    }
}

// A socket connecting (without waiting) to `host` at `port`, or -1.
int startConnect(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return -1;
    }
    const int fd = socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          found->ai_protocol);
    const bool started =
        fd >= 0 && (connect(fd, found->ai_addr, found->ai_addrlen) == 0 || errno == EINPROGRESS);
    freeaddrinfo(found);
    if (!started && fd >= 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string whoisProxyProblem(const std::string& proxy) {
    std::string error;
    const std::optional<http::ProxySetting> setting = http::parseProxySetting(proxy, error);
    if (setting && setting->httpProxy()) {
        return "WHOIS cannot go through an HTTP proxy; use a SOCKS proxy (socks5:// or socks5h://)";
    }
    return {};
}

struct WhoisLookups::State {
    LookupSettings settings;
    http::ProxySetting proxy;  // Direct for the environment's proxy as well
    std::string proxyName;     // host:port of a SOCKS proxy, for messages
    std::vector<Lookup> lookups;
    std::vector<LookupOutcome> outcomes;
    HostQueues queues;
    std::map<std::string, Clock::time_point> nextQueryAt;
    std::size_t remaining = 0;

    State(std::vector<WhoisQuery> queries, const LookupSettings& s)
        : settings(s), lookups(queries.size()), outcomes(queries.size()), queues(s.whoisPerHost) {
        std::string proxyError;
        const std::optional<http::ProxySetting> parsed =
            http::parseProxySetting(settings.proxy, proxyError);
        const std::string proxyProblem = whoisProxyProblem(settings.proxy);
        const bool usable = parsed && proxyProblem.empty();
        for (std::size_t i = 0; i < queries.size(); ++i) {
            lookups[i].server = queries[i].host + ":" + std::to_string(queries[i].port);
            lookups[i].query = std::move(queries[i]);
            if (usable) {
                queues.add(lookups[i].server, i);
            }
        }
        remaining = lookups.size();
        if (usable) {
            // Under "env" WHOIS connects directly: the environment's variables are libcurl's.
            proxy = parsed->socks() ? *parsed : http::ProxySetting{};
            proxyName = proxy.socks() ? proxy.host + ":" + std::to_string(proxy.port) : "";
            return;
        }
        // Neither answer may come from a connection the user did not ask for.
        const LookupOutcome outcome =
            parsed ? LookupOutcome{Verdict::Unchecked, proxyProblem, 0}
                   : LookupOutcome{Verdict::Failed, "unusable proxy: " + proxyError, 0};
        for (std::size_t i = 0; i < lookups.size(); ++i) {
            finish(i, outcome);
        }
    }

    ~State() {
        for (Lookup& lookup : lookups) {
            closeSocket(lookup);
        }
    }

    static void closeSocket(Lookup& lookup) {
        if (lookup.fd >= 0) {
            close(lookup.fd);
            lookup.fd = -1;
        }
    }

    void finish(std::size_t i, LookupOutcome outcome) {
        Lookup& lookup = lookups[i];
        if (lookup.phase != Phase::Waiting) {
            queues.finished(lookup.server);
        }
        closeSocket(lookup);
        lookup.phase = Phase::Done;
        outcomes[i] = std::move(outcome);
        --remaining;
    }

    void finishWithAnswer(std::size_t i) {
        const Lookup& lookup = lookups[i];
        finish(i, whoisOutcome(whoisAnswerText(lookup.answer), lookup.query.domain,
                               lookup.query.notFoundText));
    }

    void startReady(Clock::time_point now) {
        const auto ready = [&](const std::string& server) {
            const auto next = nextQueryAt.find(server);
            return next == nextQueryAt.end() || now >= next->second;
        };
        while (const auto next = queues.next(ready)) {
            Lookup& lookup = lookups[*next];
            nextQueryAt[lookup.server] = now + std::chrono::milliseconds(settings.whoisGapMs);
            lookup.deadline = now + std::chrono::milliseconds(settings.timeoutMs);
            lookup.phase = Phase::Connecting;
            lookup.fd = proxy.socks() ? startConnect(proxy.host, proxy.port)
                                      : startConnect(lookup.query.host, lookup.query.port);
            if (lookup.fd < 0) {
                finish(*next, {Verdict::Failed, cannotConnect(lookup), 0});
            }
        }
    }

    // The longest wait before a held-back query may start.
    int msUntilNextStart(Clock::time_point now, int limit) const {
        if (!queues.anyWaiting()) {
            return limit;
        }
        for (const auto& [server, at] : nextQueryAt) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(at - now);
            limit = std::min(limit, static_cast<int>(std::max<long>(wait.count(), 0) + 1));
        }
        return limit;
    }

    std::string cannotConnect(const Lookup& lookup) const {
        return proxy.socks() ? "cannot connect to SOCKS proxy " + proxyName
                             : "cannot connect to WHOIS server " + lookup.server;
    }

    void fail(std::size_t i, const std::string& reason) { finish(i, {Verdict::Failed, reason, 0}); }

    // One move of the SOCKS handshake: sends what is left of the phase's message, then reads the
    // reply, never past its end (what follows belongs to the WHOIS answer).
    void socksProgress(std::size_t i, short events) {
        Lookup& lookup = lookups[i];
        if (lookup.handshakeSent < lookup.handshake.size()) {
            const ssize_t n = send(lookup.fd, lookup.handshake.data() + lookup.handshakeSent,
                                   lookup.handshake.size() - lookup.handshakeSent, MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN) {
                fail(i, "SOCKS proxy " + proxyName + " broke off the connection");
                return;
            }
            lookup.handshakeSent += n > 0 ? static_cast<std::size_t>(n) : 0;
            return;
        }
        if ((events & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        const bool greeting = lookup.phase == Phase::SocksGreeting;
        const std::size_t wanted =
            greeting ? 2 : std::max<std::size_t>(socksReplyLength(lookup.reply), 5);
        char buffer[512];
        const ssize_t n = recv(lookup.fd, buffer, wanted - lookup.reply.size(), 0);
        if (n < 0 && errno == EAGAIN) {
            return;
        }
        if (n <= 0) {
            fail(i, "SOCKS proxy " + proxyName + " closed the connection");
            return;
        }
        lookup.reply.append(buffer, static_cast<std::size_t>(n));
        if (greeting) {
            if (lookup.reply.size() < 2) {
                return;
            }
            if (lookup.reply[0] != '\x05') {
                fail(i, "proxy " + proxyName + " does not speak SOCKS5");
                return;
            }
            if (lookup.reply[1] != '\x00') {
                fail(i, "SOCKS proxy " + proxyName + " wants a user name and password");
                return;
            }
            lookup.handshake =
                socksConnectRequest(lookup.query, proxy.kind == http::ProxySetting::Kind::Socks5h);
            if (lookup.handshake.empty()) {
                fail(i, "cannot resolve WHOIS server " + lookup.query.host);
                return;
            }
            lookup.phase = Phase::SocksConnect;
            lookup.handshakeSent = 0;
            lookup.reply.clear();
            return;
        }
        const std::size_t length = socksReplyLength(lookup.reply);
        if (length == 0 || lookup.reply.size() < length) {
            return;
        }
        if (lookup.reply[1] != '\x00') {
            fail(i, "SOCKS proxy " + proxyName + " could not reach WHOIS server " + lookup.server +
                        ": " + socksRefusal(static_cast<unsigned char>(lookup.reply[1])));
            return;
        }
        lookup.phase = Phase::Sending;
    }

    void progress(std::size_t i, short events) {
        Lookup& lookup = lookups[i];
        if (lookup.phase == Phase::Connecting) {
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(lookup.fd, SOL_SOCKET, SO_ERROR, &error, &length);
            if (error != 0) {
                fail(i, cannotConnect(lookup));
                return;
            }
            if (!proxy.socks()) {
                lookup.phase = Phase::Sending;
            } else {
                lookup.phase = Phase::SocksGreeting;
                lookup.handshake = std::string(kSocksGreeting);
            }
        }
        if (lookup.phase == Phase::SocksGreeting || lookup.phase == Phase::SocksConnect) {
            socksProgress(i, events);
            return;
        }
        if (lookup.phase == Phase::Sending) {
            const std::string& query = lookup.query.query;
            const ssize_t n = send(lookup.fd, query.data() + lookup.sent,
                                   query.size() - lookup.sent, MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN) {
                finish(i, {Verdict::Failed, "WHOIS query could not be sent", 0});
                return;
            }
            lookup.sent += n > 0 ? static_cast<std::size_t>(n) : 0;
            if (lookup.sent == query.size()) {
                lookup.phase = Phase::Reading;
            }
            return;
        }
        if ((events & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        char buffer[16384];
        const ssize_t n = recv(lookup.fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EAGAIN) {
            return;
        }
        if (n < 0) {
            finish(i, {Verdict::Failed, "WHOIS connection broke off", 0});
            return;
        }
        lookup.answer.append(buffer, std::min(static_cast<std::size_t>(n),
                                              kMaxWhoisAnswerBytes - lookup.answer.size()));
        if (n == 0 || lookup.answer.size() == kMaxWhoisAnswerBytes) {
            finishWithAnswer(i);
        }
    }
};

WhoisLookups::WhoisLookups(std::vector<WhoisQuery> queries, const LookupSettings& settings)
    : state_(std::make_unique<State>(std::move(queries), settings)) {}

WhoisLookups::~WhoisLookups() = default;

void WhoisLookups::step(int maxWaitMs) {
    State& s = *state_;
    Clock::time_point now = Clock::now();
    s.startReady(now);
    std::vector<pollfd> watched;
    std::vector<std::size_t> owners;
    for (std::size_t i = 0; i < s.lookups.size(); ++i) {
        const Lookup& lookup = s.lookups[i];
        if (lookup.fd >= 0) {
            const bool handshaking =
                lookup.phase == Phase::SocksGreeting || lookup.phase == Phase::SocksConnect;
            const bool writing = lookup.phase == Phase::Connecting ||
                                 lookup.phase == Phase::Sending ||
                                 (handshaking && lookup.handshakeSent < lookup.handshake.size());
            watched.push_back({lookup.fd, static_cast<short>(writing ? POLLOUT : POLLIN), 0});
            owners.push_back(i);
        }
    }
    if (done()) {
        return;
    }
    poll(watched.data(), watched.size(), s.msUntilNextStart(now, maxWaitMs));
    for (std::size_t k = 0; k < watched.size(); ++k) {
        if (watched[k].revents != 0) {
            s.progress(owners[k], watched[k].revents);
        }
    }
    now = Clock::now();
    for (std::size_t i = 0; i < s.lookups.size(); ++i) {
        const Lookup& lookup = s.lookups[i];
        if (lookup.phase != Phase::Waiting && lookup.phase != Phase::Done &&
            now >= lookup.deadline) {
            s.finish(i, {Verdict::Failed,
                         "WHOIS server " + lookup.server + " did not answer in time", 0});
        }
    }
}

bool WhoisLookups::done() const {
    return state_->remaining == 0;
}

void WhoisLookups::abandon(const std::string& reason) {
    for (const std::string& server : state_->queues.hosts()) {
        state_->queues.drop(server);
    }
    for (std::size_t i = 0; i < state_->lookups.size(); ++i) {
        if (state_->lookups[i].phase != Phase::Done) {
            state_->finish(i, {Verdict::Failed, reason, 0});
        }
    }
}

const std::vector<LookupOutcome>& WhoisLookups::outcomes() const {
    return state_->outcomes;
}

}  // namespace yc::registry
