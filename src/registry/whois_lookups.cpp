// WHOIS lookups over non-blocking TCP sockets.
#include "registry/whois_lookups.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>

#include "registry/host_queues.h"
#include "registry/whois_answer.h"

namespace yc::registry {
namespace {

using Clock = std::chrono::steady_clock;

enum class Phase { Waiting, Connecting, Sending, Reading, Done };

struct Lookup {
    WhoisQuery query;
    std::string server;  // host:port, the unit the limits count
    Phase phase = Phase::Waiting;
    int fd = -1;
    std::size_t sent = 0;
    std::string answer;
    Clock::time_point deadline;
};

// A socket connecting (without waiting) to the server, or -1.
int startConnect(const WhoisQuery& query) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(query.host.c_str(), std::to_string(query.port).c_str(), &hints, &found) != 0) {
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

struct WhoisLookups::State {
    LookupSettings settings;
    std::vector<Lookup> lookups;
    std::vector<LookupOutcome> outcomes;
    HostQueues queues;
    std::map<std::string, Clock::time_point> nextQueryAt;
    std::size_t remaining = 0;

    State(std::vector<WhoisQuery> queries, const LookupSettings& s)
        : settings(s), lookups(queries.size()), outcomes(queries.size()), queues(s.whoisPerHost) {
        for (std::size_t i = 0; i < queries.size(); ++i) {
            lookups[i].server = queries[i].host + ":" + std::to_string(queries[i].port);
            lookups[i].query = std::move(queries[i]);
            queues.add(lookups[i].server, i);
        }
        remaining = lookups.size();
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
            lookup.fd = startConnect(lookup.query);
            if (lookup.fd < 0) {
                finish(*next,
                       {Verdict::Failed, "cannot connect to WHOIS server " + lookup.server, 0});
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

    void progress(std::size_t i, short events) {
        Lookup& lookup = lookups[i];
        if (lookup.phase == Phase::Connecting) {
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(lookup.fd, SOL_SOCKET, SO_ERROR, &error, &length);
            if (error != 0) {
                finish(i, {Verdict::Failed, "cannot connect to WHOIS server " + lookup.server, 0});
                return;
            }
            lookup.phase = Phase::Sending;
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
            const bool writing =
                lookup.phase == Phase::Connecting || lookup.phase == Phase::Sending;
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
