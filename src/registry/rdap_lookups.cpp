// RDAP lookups over libcurl's multi interface.
#include "registry/rdap_lookups.h"

#include <curl/curl.h>

#include <algorithm>
#include <optional>

#include "http/ca_trust.h"
#include "http/curl_session.h"
#include "http/proxy_setting.h"
#include "registry/host_queues.h"
#include "registry/rdap_answer.h"
#include "text/gbk_edit.h"

namespace yc::registry {
namespace {

// An RDAP domain object is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxBodyBytes = 1 << 20;

struct Transfer {
    std::string url;
    std::string host;  // scheme and authority: the unit the per-host limit counts
    CURL* easy = nullptr;
    std::string body;
    std::string retryAfter;
    char error[CURL_ERROR_SIZE] = {};
    bool done = false;
};

std::string hostOf(const std::string& url) {
    const std::size_t authority = url.find("://");
    const std::size_t start = authority == std::string::npos ? 0 : authority + 3;
    return url.substr(0, url.find('/', start));
}

std::size_t onBody(char* data, std::size_t, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->body.size() + count > kMaxBodyBytes) {
        return 0;
    }
    transfer->body.append(data, count);
    return count;
}

std::size_t onHeader(char* data, std::size_t, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::string_view line(data, count);
    constexpr std::string_view kName = "retry-after:";
    if (line.starts_with("HTTP/")) {
        transfer->retryAfter.clear();  // a redirect's headers do not count for the final answer
    } else if (line.size() > kName.size() &&
               std::equal(kName.begin(), kName.end(), line.begin(), [](char a, char b) {
                   return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : b);
               })) {
        transfer->retryAfter = text::whitespaceTrimmed(line.substr(kName.size()));
    }
    return count;
}

}  // namespace

struct RdapLookups::State {
    LookupSettings settings;
    http::ProxySetting proxy;
    CURLM* multi;
    curl_slist* headers = nullptr;
    std::vector<Transfer> transfers;
    std::vector<LookupOutcome> outcomes;
    HostQueues queues;
    std::size_t remaining = 0;

    State(const RdapSession& session, std::vector<std::string> urls, const LookupSettings& s)
        : settings(s),
          multi(static_cast<CURLM*>(session.multi())),
          transfers(urls.size()),
          outcomes(urls.size()),
          queues(s.rdapPerHost) {
        headers = curl_slist_append(nullptr, "Accept: application/rdap+json");
        std::string proxyError;
        const std::optional<http::ProxySetting> parsed =
            http::parseProxySetting(settings.proxy, proxyError);
        for (std::size_t i = 0; i < urls.size(); ++i) {
            transfers[i].host = hostOf(urls[i]);
            transfers[i].url = std::move(urls[i]);
            if (parsed) {
                queues.add(transfers[i].host, i);
            }
        }
        remaining = transfers.size();
        if (parsed) {
            proxy = *parsed;
        } else {
            // Going direct instead would bypass the proxy the user chose.
            for (std::size_t i = 0; i < transfers.size(); ++i) {
                finish(i, {Verdict::Failed, "unusable proxy: " + proxyError, 0});
            }
        }
    }

    ~State() {
        for (Transfer& t : transfers) {
            release(t);
        }
        curl_slist_free_all(headers);
    }

    void release(Transfer& t) {
        if (t.easy != nullptr) {
            curl_multi_remove_handle(multi, t.easy);
            curl_easy_cleanup(t.easy);
            t.easy = nullptr;
        }
    }

    void finish(std::size_t i, LookupOutcome outcome) {
        Transfer& t = transfers[i];
        if (t.easy != nullptr) {
            release(t);
            queues.finished(t.host);
        }
        t.done = true;
        outcomes[i] = std::move(outcome);
        --remaining;
    }

    void start(std::size_t i) {
        Transfer& t = transfers[i];
        t.easy = curl_easy_init();
        CURL* h = t.easy;
        curl_easy_setopt(h, CURLOPT_URL, t.url.c_str());
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "https");
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, settings.timeoutMs);
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        http::applyProxy(h, proxy);
        http::applyTrustedCas(h);
        curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeader);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, t.error);
        curl_easy_setopt(h, CURLOPT_PRIVATE, &t);
        curl_multi_add_handle(multi, h);
    }

    void collect() {
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE) {
                continue;
            }
            Transfer* t = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &t);
            long status = 0;
            if (message->data.result == CURLE_OK) {
                curl_easy_getinfo(message->easy_handle, CURLINFO_RESPONSE_CODE, &status);
            }
            const std::string error =
                t->error[0] != '\0' ? t->error : curl_easy_strerror(message->data.result);
            LookupOutcome outcome = rdapOutcome({status, t->body, t->retryAfter, error});
            const std::size_t index = static_cast<std::size_t>(t - transfers.data());
            finish(index, outcome);
            if (outcome.verdict == Verdict::Limited) {
                // Asking the same host again now would only be refused as well.
                for (const std::size_t held : queues.drop(t->host)) {
                    finish(held, outcome);
                }
            }
        }
    }
};

RdapSession::RdapSession() {
    http::prepareCurl();
    multi_ = curl_multi_init();
    // One transfer per connection: the per-host limit must count requests, not streams.
    curl_multi_setopt(multi_, CURLMOPT_PIPELINING, CURLPIPE_NOTHING);
}

RdapSession::~RdapSession() {
    curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

RdapLookups::RdapLookups(const RdapSession& session, std::vector<std::string> urls,
                         const LookupSettings& settings)
    : state_(std::make_unique<State>(session, std::move(urls), settings)) {}

RdapLookups::~RdapLookups() = default;

void RdapLookups::step(int maxWaitMs) {
    State& s = *state_;
    while (const auto next = s.queues.next([](const std::string&) { return true; })) {
        s.start(*next);
    }
    int running = 0;
    curl_multi_perform(s.multi, &running);
    s.collect();
    if (!done()) {
        curl_multi_poll(s.multi, nullptr, 0, maxWaitMs, nullptr);
        curl_multi_perform(s.multi, &running);
        s.collect();
    }
}

bool RdapLookups::done() const {
    return state_->remaining == 0;
}

void RdapLookups::abandon(const std::string& reason) {
    for (const std::string& host : state_->queues.hosts()) {
        state_->queues.drop(host);
    }
    for (std::size_t i = 0; i < state_->transfers.size(); ++i) {
        if (!state_->transfers[i].done) {
            state_->finish(i, {Verdict::Failed, reason, 0});
        }
    }
}

const std::vector<LookupOutcome>& RdapLookups::outcomes() const {
    return state_->outcomes;
}

}  // namespace yc::registry
