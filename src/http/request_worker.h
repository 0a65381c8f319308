// One HTTP exchange on libcurl, run on a worker thread: the request and result records handed
// between the threads and the worker itself (whose trust setting http/ca_trust.h holds).
#pragma once

#include <atomic>
#include <string>

#include "http/ca_trust.h"
#include "http/request_headers.h"
#include "text/gbk_text.h"

namespace yc::http {

/// Largest response body kept; past it the transfer ends and what was read is the body.
inline constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;

struct RequestRecord {
    Text url;
    Text method;  ///< "POST" or "GET"
    Text proxy;   ///< a proxy setting as http/proxy_setting.h reads it; empty for direct
    /// The caller's header lines, one header each without its line end; the worker completes
    /// them (http/request_headers.h) and hands them to libcurl as they are.
    HeaderLines headers;
    ByteBuffer body;
    Text cookies;  ///< when not empty: sent as given, and the process cookie store is left alone
    bool noRedirect = false;
    long timeoutMs = 60000;  ///< connect time-out, and the longest silence while sending/receiving
    /// The longest whole exchange, however steadily data keeps coming; 0 means ten times
    /// `timeoutMs`.
    long overallTimeoutMs = 0;
    /// When given, the transfer ends as soon as it reads true (set from another thread).
    const std::atomic<bool>* abort = nullptr;
};

/// How the transfer went, beside what it delivered.
struct TransferOutcome {
    bool connected = false;    ///< a response status line arrived
    int httpStatus = 0;        ///< status of the final response; 0 when none arrived
    bool timedOut = false;     ///< ended by the connect, inactivity or overall time-out
    bool aborted = false;      ///< ended at once by the request's abort flag
    bool complete = false;     ///< the body arrived in full (no time-out, reset or size cap)
    bool capped = false;       ///< the body reached kMaxBodyBytes and was cut there
    bool undecodable = false;  ///< a gzip body that could not be inflated to its end
    std::size_t bodyBytes = 0;

    /// No answer, an answer outside 2xx, or nothing in the body: the page cannot be trusted.
    bool failed() const { return httpStatus < 200 || httpStatus > 299 || bodyBytes == 0; }
};

struct ResultRecord {
    ByteBuffer body;
    Text headerBlock;  ///< the final response's status line and header lines, CR LF separated
    Text receivedCookies;
    TransferOutcome outcome;
};

/// Carries out one exchange. Never throws; a failed step shows as empty results.
ResultRecord RequestWorker(const RequestRecord& request);

}  // namespace yc::http
