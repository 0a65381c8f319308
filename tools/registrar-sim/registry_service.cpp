// The simulator's RDAP answers and WHOIS listener.
#include "registry_service.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "form_body.h"
#include "loopback_listener.h"
#include "registry_answers.h"

namespace yc::sim {
namespace {

using Clock = std::chrono::steady_clock;

// Counts a lookup in progress and keeps the highest count seen.
class InFlight {
  public:
    InFlight(std::atomic<int>& now, std::atomic<int>& peak) : now_(now) {
        const int current = ++now_;
        int seen = peak.load();
        while (current > seen && !peak.compare_exchange_weak(seen, current)) {
        }
    }
    ~InFlight() { --now_; }
    InFlight(const InFlight&) = delete;
    InFlight& operator=(const InFlight&) = delete;

  private:
    std::atomic<int>& now_;
};

std::string statusLine(int status) {
    switch (status) {
        case 200:
            return "200 OK";
        case 301:
            return "301 Moved Permanently";
        case 404:
            return "404 Not Found";
        case 429:
            return "429 Too Many Requests";
        case 503:
            return "503 Service Unavailable";
        default:
            return "500 Internal Server Error";
    }
}

}  // namespace

struct RegistryService::State {
    RegistryOptions options;
    FreeRule rule;
    std::atomic<bool> stopping{false};
    std::atomic<int> rdapNow{0};
    std::atomic<int> rdapPeak{0};
    std::atomic<int> rdapCount{0};
    std::atomic<int> whoisNow{0};
    std::atomic<int> whoisPeak{0};
    LoopbackListener whoisListener;
    mutable std::mutex mutex;  // guards queries
    std::vector<std::string> queries;

    explicit State(const SimOptions& o) : options(o.registry), rule(o) {}

    // One sleep for a short delay, so the answer comes close to on time; longer ones in slices
    // that notice a stop.
    void pause() const {
        const auto until = Clock::now() + std::chrono::milliseconds(options.lookupDelayMs);
        for (auto now = Clock::now(); !stopping && now < until; now = Clock::now()) {
            std::this_thread::sleep_for(
                std::min<Clock::duration>(until - now, std::chrono::milliseconds(50)));
        }
    }

    // The query line of a WHOIS connection, or empty when none comes within a few seconds.
    std::string readQuery(int fd) const {
        std::string query;
        const Clock::time_point until = Clock::now() + std::chrono::seconds(5);
        while (query.find('\n') == std::string::npos && !stopping && Clock::now() < until &&
               query.size() < 4096) {
            pollfd waiting{fd, POLLIN, 0};
            if (poll(&waiting, 1, 50) <= 0) {
                continue;
            }
            char buffer[512];
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                break;
            }
            query.append(buffer, static_cast<std::size_t>(n));
        }
        return query;
    }

    void serveWhois(int fd) {
        const std::string query = readQuery(fd);
        {
            const std::lock_guard lock(mutex);
            queries.push_back(query);
        }
        const InFlight counted(whoisNow, whoisPeak);
        std::string name = query.substr(0, query.find_first_of("\r\n"));
        name = name.substr(name.rfind(' ') + 1);
        pause();
        const std::string reply = whoisReply(name, registryAnswerFor(name, rule));
        for (std::size_t sent = 0; sent < reply.size() && !stopping;) {
            const ssize_t n = send(fd, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        close(fd);
    }
};

RegistryService::RegistryService(const SimOptions& options)
    : state_(std::make_unique<State>(options)) {}

RegistryService::~RegistryService() {
    stop();
}

bool RegistryService::start() {
    State& s = *state_;
    return !s.options.whois ||
           s.whoisListener.start(s.options.whoisPort, [&s](int fd) { s.serveWhois(fd); });
}

void RegistryService::stop() {
    state_->stopping = true;
    state_->whoisListener.stop();
}

bool RegistryService::isRdapPath(std::string_view path) {
    return path.starts_with("/rdap/");
}

std::string RegistryService::rdapResponse(std::string_view path, bool keepAlive) {
    State& s = *state_;
    ++s.rdapCount;
    const InFlight counted(s.rdapNow, s.rdapPeak);
    // /rdap/<tld>/domain/<name>
    const std::string_view rest = path.substr(std::string_view("/rdap/").size());
    const std::string_view tld = rest.substr(0, rest.find('/'));
    constexpr std::string_view kDomain = "/domain/";
    RdapReply reply{404, {}, R"({"errorCode":404,"title":"Not Found"})"};
    if (rest.substr(tld.size()).starts_with(kDomain)) {
        const std::string_view name = rest.substr(tld.size() + kDomain.size());
        reply = rdapReply(tld, name, registryAnswerFor(name, s.rule), s.options.retryAfterSeconds);
    }
    s.pause();
    return "HTTP/1.1 " + statusLine(reply.status) +
           "\r\nServer: yuchaling-registrar-sim\r\nContent-Type: application/rdap+json\r\n" +
           reply.headers + "Content-Length: " + std::to_string(reply.body.size()) + "\r\n" +
           (keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n") +
           reply.body;
}

int RegistryService::whoisPort() const {
    return state_->whoisListener.port();
}
int RegistryService::peakRdap() const {
    return state_->rdapPeak;
}
int RegistryService::peakWhois() const {
    return state_->whoisPeak;
}
int RegistryService::rdapRequests() const {
    return state_->rdapCount;
}

std::vector<std::string> RegistryService::whoisQueries() const {
    const std::lock_guard lock(state_->mutex);
    return state_->queries;
}

std::string RegistryService::servicesTable(int httpPort) const {
    const std::string rdap = "http://127.0.0.1:" + std::to_string(httpPort) + "/rdap/";
    const std::string whois = "127.0.0.1:" + std::to_string(whoisPort());
    return "# Registry services of the local simulator.\n"
           "com\t" +
           rdap + "com/\t" + whois +
           "\n"
           "net\t" +
           rdap +
           "net/\t\n"
           "cn\t\t" +
           whois +
           "\t%s\\r\\n\tNo matching record\n"
           "de\t\t" +
           whois +
           "\t-T dn,ace %s\\r\\n\tStatus: free\n"
           "io\t\t" +
           whois +
           "\n"
           "uk\t\t" +
           whois +
           "\t%s\\r\\n\tNo match for\n"
           "cn.com\t\t" +
           whois + "\n";
}

}  // namespace yc::sim
