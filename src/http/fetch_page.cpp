// FetchPage: one page fetch, from the options to the request record and back to GBK text.
#include "http/fetch_page.h"

#include <cmath>
#include <vector>

#include "http/request_headers.h"
#include "http/response_decoding.h"
#include "http/transfer_on_worker.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

// The answer's headers name UTF-8 in one of the three usual spellings.
bool headersNameUtf8(std::string_view responseHeaders) {
    static const std::vector<Text> spellings = text::split(
        text::replaceAll("charset=utf-8|charset=''utf-8''|charset='utf-8'", "''", "\""), "|");
    for (const Text& piece : spellings) {
        if (text::contains(responseHeaders, piece, text::CaseMode::IgnoreAscii)) {
            return true;
        }
    }
    return false;
}

long wholeSeconds(float timeoutSeconds) {
    const float seconds = std::fabs(timeoutSeconds) <= 1e-7F ? 120.0F : timeoutSeconds;
    // Out-of-range values saturate instead of overflowing the conversion.
    if (!(seconds > -1e6F && seconds < 1e6F)) {
        return seconds > 0 ? 1000000 : 0;
    }
    return static_cast<long>(seconds);
}

// The worker's time-out: under one whole second, 60 s.
long timeoutMs(float timeoutSeconds) {
    const long seconds = wholeSeconds(timeoutSeconds);
    return seconds >= 1 ? seconds * 1000 : 60000;
}

}  // namespace

Text FetchPage(Text& url, const FetchOptions& options) {
    if (const std::size_t hash = url.find('#'); hash != Text::npos) {
        url.resize(hash);
    }
    RequestRecord request;
    request.url = url;
    if (options.postBytes != nullptr && options.postBytes->empty()) {
        *options.postBytes = options.postText;
    }
    // The caller's body bytes are lent to the request for the transfer rather than copied, so
    // that a long body is held once; they are handed back before this returns.
    if (options.postBytes != nullptr) {
        request.body.swap(*options.postBytes);
    } else {
        request.body = options.postText;
    }
    request.method = request.body.empty() ? "GET" : "POST";
    request.proxy = options.proxy;
    const Text referer = options.referer.empty() ? text::trimSpaces(url) : options.referer;
    // The one place the caller's header text becomes lines; the Referer line always comes last.
    request.headers = SplitHeaderLines(options.extraHeaders + "\r\nReferer: " + referer);
    request.cookies = options.cookies;
    request.timeoutMs = timeoutMs(options.timeoutSeconds);

    ResultRecord result = TransferOnWorker(request, options.stopRequested);
    if (options.postBytes != nullptr) {
        request.body.swap(*options.postBytes);
    }
    // The body is sent: a long one need not stay while the answer is decoded.
    ByteBuffer().swap(request.body);
    url = request.url;
    if (options.responseBytes != nullptr) {
        *options.responseBytes = result.body;
    }
    if (options.receivedCookies != nullptr) {
        *options.receivedCookies = result.receivedCookies;
    }
    int encoding = options.encoding != nullptr ? *options.encoding : kDetectEncoding;
    if (encoding == kDetectEncoding && headersNameUtf8(result.headerBlock)) {
        encoding = kUtf8;
        if (options.encoding != nullptr) {
            *options.encoding = encoding;
        }
    }
    bool whole = true;
    Text page = DecodeResponseText(std::move(result.body), encoding, nullptr, &whole);
    if (options.outcome != nullptr) {
        *options.outcome = result.outcome;
        options.outcome->undecodable = !whole;
    }
    return page;
}

}  // namespace yc::http
