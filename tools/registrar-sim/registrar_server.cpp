// The simulator's HTTP server: submissions, RDAP, the bootstrap file, faults and the log.
#include "registrar_server.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "answer_page.h"
#include "connection_stream.h"
#include "form_body.h"
#include "http_request.h"
#include "loopback_listener.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::sim {
namespace {

using Clock = std::chrono::steady_clock;

std::string statusText(int status) {
    switch (status) {
        case 200:
            return "200 OK";
        case 302:
            return "302 Found";
        case 404:
            return "404 Not Found";
        default:
            return "500 Internal Server Error";
    }
}

}  // namespace

struct RegistrarServer::State {
    SimOptions options;
    FreeRule rule;
    RegistryService registry{options};
    SSL_CTX* tls = nullptr;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::atomic<int> submissions{0};
    std::atomic<int> accepted{0};
    LoopbackListener listener;
    std::mutex mutex;  // guards everything below
    std::deque<Clock::time_point> recentSubmissions;
    std::string sessionCookie;  // name=value, set on the first answer
    // Pages already built, by form body: the answer to a body never changes, and building and
    // encoding a large page would otherwise dominate the simulator's share of a benchmark.
    std::map<std::string, PageBytes> pageCache;

    explicit State(SimOptions o) : options(std::move(o)), rule(options) {}

    void log(const std::string& raw) {
        if (options.logPath.empty()) {
            return;
        }
        const std::lock_guard lock(mutex);
        std::ofstream out(options.logPath, std::ios::binary | std::ios::app);
        out << "@@REQUEST " << raw.size() << "\n" << raw << "\n";
    }

    void pause(int milliseconds) const {
        const Clock::time_point until = Clock::now() + std::chrono::milliseconds(milliseconds);
        while (!stopping && Clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    bool overLimit() {
        const std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        recentSubmissions.push_back(now);
        while (now - recentSubmissions.front() >
               std::chrono::seconds(options.refuseWindowSeconds)) {
            recentSubmissions.pop_front();
        }
        return options.refuseAfter > 0 &&
               recentSubmissions.size() > static_cast<std::size_t>(options.refuseAfter);
    }

    // The session cookie to set on this answer (first answer only), and whether a later request
    // failed to bring it back.
    bool sessionMissing(const Request& request, std::string& setCookie) {
        if (!options.sessionCookie) {
            return false;
        }
        const std::lock_guard lock(mutex);
        if (sessionCookie.empty()) {
            sessionCookie = "YCSESSION=s" + std::to_string(port) + "x" +
                            std::to_string(Clock::now().time_since_epoch().count() % 1000000);
            setCookie = sessionCookie + "; path=/; HttpOnly";
            return false;
        }
        return !text::contains(headerValue(request.head, "Cookie"), sessionCookie);
    }

    PageBytes resultFor(const std::string& formBody) {
        {
            const std::lock_guard lock(mutex);
            if (const auto cached = pageCache.find(formBody); cached != pageCache.end()) {
                return cached->second;
            }
        }
        const std::vector<std::string> names = submittedNames(formBody);
        std::vector<bool> isFree;
        for (const std::string& name : names) {
            isFree.push_back(rule.isFree(name));
        }
        PageBytes page = resultPage(names, isFree, options);
        const std::lock_guard lock(mutex);
        if (pageCache.size() >= 64) {
            pageCache.clear();
        }
        pageCache.emplace(formBody, page);
        return page;
    }

    static std::string responseHead(int status, const std::string& contentType,
                                    const std::string& extra, std::size_t length, bool keepAlive) {
        std::string head = "HTTP/1.1 " + statusText(status) + "\r\n";
        head += "Server: yuchaling-registrar-sim\r\n";
        if (!contentType.empty()) {
            head += "Content-Type: " + contentType + "\r\n";
        }
        head += extra;
        head += "Content-Length: " + std::to_string(length) + "\r\n";
        head += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
        return head;
    }

    // Answers one request; false when the connection must end.
    bool answer(ConnectionStream& stream, const Request& request) {
        const bool keepAlive = !text::contains(headerValue(request.head, "Connection"), "close",
                                               text::CaseMode::IgnoreAscii);
        if (RegistryService::isRdapPath(request.path)) {
            return stream.writeAll(registry.rdapResponse(request.path, keepAlive)) && keepAlive;
        }
        if (!options.bootstrapBody.empty() && request.path == kBootstrapPath) {
            return stream.writeAll(responseHead(options.bootstrapStatus, "application/json", {},
                                                options.bootstrapBody.size(), keepAlive) +
                                   options.bootstrapBody) &&
                   keepAlive;
        }
        if (!options.bootstrapBody.empty() && request.path == kBootstrapMovedPath) {
            return stream.writeAll(responseHead(302, {},
                                                std::string("Location: ") + kBootstrapPath + "\r\n",
                                                0, keepAlive)) &&
                   keepAlive;
        }
        if (request.path != kSubmitPath) {
            const bool landing = request.path == "/landing";
            const std::string body = landing ? "<html><body>landing</body></html>" : "not found";
            return stream.writeAll(
                       responseHead(landing ? 200 : 404, "text/html", {}, body.size(), keepAlive) +
                       body) &&
                   keepAlive;
        }
        ++submissions;
        switch (options.fault) {
            case Fault::Delay:
                pause(options.delayMs);
                break;
            case Fault::Status500:
                return stream.writeAll(responseHead(500, "text/html", {}, 5, keepAlive) +
                                       "error") &&
                       keepAlive;
            case Fault::Empty200:
                return stream.writeAll(responseHead(200, "text/html", {}, 0, keepAlive)) &&
                       keepAlive;
            case Fault::Redirect:
                return stream.writeAll(responseHead(
                           302, {}, "Location: " + options.redirectTo + "\r\n", 0, keepAlive)) &&
                       keepAlive;
            case Fault::Endless:
                return endless(stream);
            default:
                break;
        }

        std::string extra;
        std::string setCookie;
        const bool refused = sessionMissing(request, setCookie) || overLimit();
        if (!setCookie.empty()) {
            extra += "Set-Cookie: " + setCookie + "\r\n";
        }
        for (const std::string& cookie : options.extraSetCookies) {
            extra += "Set-Cookie: " + cookie + "\r\n";
        }
        PageBytes page;
        if (refused) {
            page = refusalPage(options);
        } else if (!options.answerPage.empty()) {
            page = {options.answerPage, options.answerType,
                    options.answerPage.starts_with("\x1F\x8B")};
        } else {
            page = resultFor(request.body);
        }
        if (page.gzipped) {
            extra += "Content-Encoding: gzip\r\n";
        }
        const std::string head =
            responseHead(200, page.contentType, extra, page.body.size(), keepAlive);
        if (options.fault == Fault::Trickle) {
            bool sent = stream.writeAll(head);
            for (std::size_t i = 0; sent && i < page.body.size() && !stopping; ++i) {
                pause(options.delayMs);
                sent = stream.writeAll(page.body.substr(i, 1));
            }
            return false;
        }
        if (options.fault == Fault::Stall || options.fault == Fault::Reset) {
            stream.writeAll(head + page.body.substr(0, page.body.size() / 2));
            if (options.fault == Fault::Stall) {
                stream.drainUntilClosed();
            } else {
                stream.resetOnClose();
            }
            return false;
        }
        return stream.writeAll(head + page.body) && keepAlive;
    }

    bool endless(ConnectionStream& stream) const {
        std::string head =
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nTransfer-Encoding: chunked\r\n\r\n";
        if (!stream.writeAll(head)) {
            return false;
        }
        const std::string chunk = "4000\r\n" + std::string(0x4000, 'y') + "\r\n";
        while (stream.writeAll(chunk)) {
        }
        return false;
    }

    void serve(int fd) {
        ConnectionStream stream(fd, tls, stopping);
        if (!stream.open()) {
            return;
        }
        std::string pending;
        Request request;
        while (readRequest(stream, pending, request)) {
            log(request.raw);
            if (!answer(stream, request)) {
                return;
            }
        }
    }
};

RegistrarServer::RegistrarServer(SimOptions options)
    : state_(std::make_unique<State>(std::move(options))) {}

RegistrarServer::~RegistrarServer() {
    stop();
}

bool RegistrarServer::start() {
    std::signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the process
    State& s = *state_;
    if (!s.options.certFile.empty() && !s.options.keyFile.empty()) {
        s.tls = SSL_CTX_new(TLS_server_method());
        if (s.tls == nullptr ||
            SSL_CTX_use_certificate_chain_file(s.tls, s.options.certFile.c_str()) != 1 ||
            SSL_CTX_use_PrivateKey_file(s.tls, s.options.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
            return false;
        }
    }
    if (!s.listener.start(s.options.port, [&s](int fd) {
            ++s.accepted;
            s.serve(fd);
        })) {
        return false;
    }
    s.port = s.listener.port();
    return s.registry.start();
}

void RegistrarServer::stop() {
    State& s = *state_;
    s.stopping = true;
    s.registry.stop();
    s.listener.stop();
    if (s.tls != nullptr) {
        SSL_CTX_free(s.tls);
        s.tls = nullptr;
    }
}

int RegistrarServer::port() const {
    return state_->port;
}
bool RegistrarServer::secure() const {
    return state_->tls != nullptr;
}
int RegistrarServer::submissions() const {
    return state_->submissions;
}

int RegistrarServer::connectionsAccepted() const {
    return state_->accepted;
}

RegistryService& RegistrarServer::registry() {
    return state_->registry;
}

}  // namespace yc::sim
