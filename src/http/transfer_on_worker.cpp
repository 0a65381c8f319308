#include "http/transfer_on_worker.h"

#include "host/event_pump.h"
#include "http/curl_session.h"
#include "text/gbk_edit.h"

namespace yc::http {

ResultRecord TransferOnWorker(Text& url, const Text& method, const Text& proxy, const Text& headers,
                              const ByteBuffer& body, const Text& cookies, long seconds,
                              const std::function<bool()>& stopRequested) {
    if (text::trimSpaces(url).empty()) {
        return {};
    }
    const Text lower = text::asciiLower(url);
    if (!lower.starts_with("http://") && !lower.starts_with("https://")) {
        url.insert(0, "http://");
    }
    RequestRecord request;
    request.url = url;
    request.method = method;
    request.proxy = proxy;
    request.headers = headers;
    request.body = body;
    request.cookies = cookies;
    request.noRedirect = false;
    request.timeoutMs = seconds >= 1 ? seconds * 1000 : 60000;

    // A stop asked for before the transfer (while the form was being encoded, say) ends it at
    // once too: no window event may come to prompt another look.
    const auto stopping = [&] { return stopRequested && stopRequested(); };
    std::atomic<bool> abort{stopping()};
    request.abort = &abort;

    ResultRecord result;
    prepareCurl();
    host::runOnWorkerWhileDispatching([&] { result = RequestWorker(request); },
                                      [&] {
                                          if (stopping()) {
                                              abort = true;
                                          }
                                      });
    return result;
}

}  // namespace yc::http
