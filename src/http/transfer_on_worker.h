// Runs one exchange on a worker thread while the calling window thread keeps dispatching events.
#pragma once

#include <functional>

#include "http/request_worker.h"

namespace yc::http {

/// Adds "http://" to the request's URL (in place) when it names no scheme and waits for the
/// worker. A blank URL gives empty results at once, with no worker and no network activity.
/// `stopRequested` (when given) is asked on the calling thread after the events of each wait are
/// dispatched; once it says true the transfer is aborted. The request's abort flag is its own.
/// Under a pump with nothing to dispatch the transfer runs on the calling thread, and the pump's
/// abort flag (when it has one) ends it.
ResultRecord TransferOnWorker(RequestRecord& request,
                              const std::function<bool()>& stopRequested = {});

}  // namespace yc::http
