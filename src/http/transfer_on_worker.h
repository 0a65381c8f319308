// Runs one exchange on a worker thread while the calling window thread keeps dispatching events.
#pragma once

#include <functional>

#include "http/request_worker.h"

namespace yc::http {

/// Adds "http://" to `url` (in place) when it names no scheme, turns `seconds` into the worker's
/// time-out (under one second: 60 s) and waits for the worker. A blank URL gives empty results
/// at once, with no worker and no network activity. `stopRequested` (when given) is asked on the
/// calling thread after the events of each wait are dispatched; once it says true the transfer
/// is aborted.
ResultRecord TransferOnWorker(Text& url, const Text& method, const Text& proxy, const Text& headers,
                              const ByteBuffer& body, const Text& cookies, long seconds,
                              const std::function<bool()>& stopRequested = {});

}  // namespace yc::http
