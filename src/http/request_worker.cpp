// The libcurl exchange behind RequestWorker and the callbacks of one transfer.
#include "http/request_worker.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <span>

#include "http/ca_trust.h"
#include "http/curl_session.h"
#include "http/proxy_setting.h"
#include "http/request_headers.h"
#include "http/url_parts.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using Clock = std::chrono::steady_clock;

struct ListCloser {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using ListPtr = std::unique_ptr<curl_slist, ListCloser>;

// What the callbacks of one transfer share.
struct Transfer {
    CURL* easy = nullptr;
    ResultRecord* result = nullptr;
    std::chrono::milliseconds idleLimit{60000};
    Clock::time_point lastActivity = Clock::now();
    curl_off_t lastDown = 0;
    curl_off_t lastUp = 0;
    bool idleTimeout = false;
    const std::atomic<bool>* abort = nullptr;
};

std::size_t onBody(char* data, std::size_t, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    ByteBuffer& body = transfer->result->body;
    curl_off_t announced = -1;
    // Sized once from Content-Length: doubling a growing buffer past the allocator's mmap size
    // would cost fresh zero pages on every exchange.
    if (body.empty() &&
        curl_easy_getinfo(transfer->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) ==
            CURLE_OK &&
        announced > 0) {
        body.reserve(std::min(static_cast<std::size_t>(announced), kMaxBodyBytes));
    }
    const std::size_t room = kMaxBodyBytes - body.size();
    if (count > room) {
        body.append(data, room);
        transfer->result->outcome.capped = true;
        return 0;  // ends the transfer
    }
    body.append(data, count);
    return count;
}

// Keeps the final response's header block only: a redirect's block is dropped when the next
// response's status line arrives.
std::size_t onHeaderLine(char* data, std::size_t, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::string_view line(data, count);
    if (line.starts_with("HTTP/")) {
        transfer->result->headerBlock.clear();
        transfer->result->outcome.connected = true;
    }
    transfer->result->headerBlock.append(line);
    return count;
}

// Send and receive time-outs count silence, so a stalled answer keeps what arrived; the overall
// limit (libcurl's own) ends one that keeps trickling in. libcurl calls this at least once a
// second, which is also how soon an abort takes effect.
int onProgress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->abort != nullptr && transfer->abort->load()) {
        transfer->result->outcome.aborted = true;
        return 1;
    }
    const Clock::time_point now = Clock::now();
    if (down != transfer->lastDown || up != transfer->lastUp) {
        transfer->lastDown = down;
        transfer->lastUp = up;
        transfer->lastActivity = now;
        return 0;
    }
    if (now - transfer->lastActivity >= transfer->idleLimit) {
        transfer->idleTimeout = true;
        return 1;
    }
    return 0;
}

// The completed header lines as libcurl's list, in the exchange's own order: libcurl writes Host
// and User-Agent first and then these lines as given. Empty lines are dropped, and libcurl's own
// Accept, Content-Type and "Expect: 100-continue" are switched off so that only the exchange's own
// lines go out. The body's own Content-Length line is left to libcurl, which writes the same line
// right after these (so it still follows Content-Type) and, unlike a fixed line, leaves it out
// when a redirect turns the POST into a GET.
ListPtr headerList(std::span<const Text> headers, std::size_t bodyLength) {
    const std::string ownLength = "Content-Length: " + std::to_string(bodyLength);
    curl_slist* list = nullptr;
    bool hasAccept = false;
    bool hasContentType = false;
    for (const Text& line : headers) {
        if (line.empty()) {
            continue;
        }
        hasAccept = hasAccept || text::matchesAt(line, 0, "Accept:", text::CaseMode::IgnoreAscii);
        hasContentType = hasContentType ||
                         text::matchesAt(line, 0, "Content-Type:", text::CaseMode::IgnoreAscii);
        if (line != ownLength) {
            list = curl_slist_append(list, line.c_str());
        }
    }
    if (!hasAccept) {
        list = curl_slist_append(list, "Accept:");
    }
    if (!hasContentType) {
        list = curl_slist_append(list, "Content-Type:");
    }
    list = curl_slist_append(list, "Expect:");
    return ListPtr(list);
}

}  // namespace

ResultRecord RequestWorker(const RequestRecord& request) {
    ResultRecord result;
    const UrlParts url = SplitUrl(request.url);
    const bool ownCookies = !text::trimSpaces(request.cookies).empty();
    const bool post = request.method == "POST";
    std::string proxyError;
    const std::optional<ProxySetting> proxy = parseProxySetting(request.proxy, proxyError);
    // A proxy that cannot be read is never replaced by a direct connection the user did not ask
    // for: the exchange fails instead.
    const EasyHandle easy = proxy ? acquireEasyHandle(!ownCookies) : EasyHandle{};
    if (!easy) {
        return result;
    }
    CURL* h = easy.get();
    const Text address = ComposeUrl(url);
    const Text agent = UserAgentFor(request.headers);
    const HeaderLines completed =
        CompleteHeaders(request.headers, request.url, post, request.body.size(), request.cookies);
    const ListPtr headers = headerList(completed, request.body.size());
    Transfer transfer;
    transfer.easy = h;
    transfer.result = &result;
    transfer.idleLimit = std::chrono::milliseconds(request.timeoutMs);
    transfer.abort = request.abort;
    const long overallMs =
        request.overallTimeoutMs > 0 ? request.overallTimeoutMs : 10 * request.timeoutMs;

    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, agent.empty() ? nullptr : agent.c_str());
    applyProxy(h, *proxy);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, request.timeoutMs);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, overallMs);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, request.noRedirect ? 0L : 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    // A secure exchange stays secure: a redirect to plain http would send the form in clear.
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, url.secure ? "https" : "http,https");
    if (post) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.data());
    } else {
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, nullptr);
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeaderLine);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    applyTrustedCas(h);

    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    TransferOutcome& outcome = result.outcome;
    outcome.httpStatus = static_cast<int>(status);
    outcome.timedOut = transfer.idleTimeout || code == CURLE_OPERATION_TIMEDOUT;
    outcome.complete = code == CURLE_OK;
    outcome.bodyBytes = result.body.size();
    result.receivedCookies = CollectReceivedCookies(result.headerBlock);
    return result;
}

}  // namespace yc::http
