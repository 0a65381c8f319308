// One page fetch per exchange, with its optional arguments, returning the answer as GBK text; and
// HttpClient, the object through which the query engine calls it.
#pragma once

#include <functional>

#include "http/request_worker.h"
#include "text/gbk_text.h"

namespace yc::http {

/// The optional arguments of FetchPage. Inputs left out keep their defaults (empty text, 0);
/// outputs are written only when their pointer is given.
struct FetchOptions {
    Text postText;
    /// In/out encoding code (0 detects); may become 2 when the answer's headers name UTF-8.
    int* encoding = nullptr;
    /// Seconds; 0 means 120, and anything under one second means 60.
    float timeoutSeconds = 0.0F;
    Text proxy;
    /// In/out body bytes; when empty on entry they are set to the bytes of postText.
    ByteBuffer* postBytes = nullptr;
    Text referer;
    Text cookies;
    /// Header lines separated by CR LF, no trailing CR LF; split into lines once, on entry.
    Text extraHeaders;
    Text* receivedCookies = nullptr;
    ByteBuffer* responseBytes = nullptr;
    /// How the transfer went: tells a failed transfer from an accepted page.
    TransferOutcome* outcome = nullptr;
    /// Asked on the calling thread while the transfer runs (after the window events of each wait
    /// are dispatched); true aborts the transfer at once.
    std::function<bool()> stopRequested;
};

/// Fetches `url` and returns the answer body as GBK text (empty when nothing was received).
/// `url` loses any fragment and gains "http://" when it has no scheme.
Text FetchPage(Text& url, const FetchOptions& options = {});

class HttpClient {
  public:
    HttpClient() = default;
    HttpClient(const HttpClient&) = default;
    HttpClient& operator=(const HttpClient&) = default;
    virtual ~HttpClient() = default;

    /// Nothing to prepare: every fetch builds its own transfer.
    virtual void SetUp() {}
    virtual Text FetchPage(Text& url, const FetchOptions& options = {}) {
        return http::FetchPage(url, options);
    }
};

}  // namespace yc::http
