// Running one exchange on a worker while the calling thread dispatches window events.
#include "http/transfer_on_worker.h"

#include "host/event_pump.h"
#include "http/curl_session.h"
#include "text/gbk_edit.h"

namespace yc::http {

ResultRecord TransferOnWorker(RequestRecord& request, const std::function<bool()>& stopRequested) {
    if (text::trimSpaces(request.url).empty()) {
        return {};
    }
    const Text lower = text::asciiLower(request.url);
    if (!lower.starts_with("http://") && !lower.starts_with("https://")) {
        request.url.insert(0, "http://");
    }

    // A stop asked for before the transfer (while the form was being encoded, say) ends it at
    // once too: no window event may come to prompt another look.
    const auto stopping = [&] { return stopRequested && stopRequested(); };
    std::atomic<bool> abort{stopping()};
    request.abort = &abort;
    // A transfer run on this thread cannot be told of a stop while it runs: the pump's own flag
    // (Ctrl-C) ends it instead.
    if (const host::EventPump* pump = host::installedEventPump(); !abort && pump != nullptr &&
                                                                  !pump->dispatchesWhileWaiting() &&
                                                                  pump->abortFlag() != nullptr) {
        request.abort = pump->abortFlag();
    }

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
