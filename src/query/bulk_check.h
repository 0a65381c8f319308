// One exchange with the registrar's bulk-check form: post a batch of names, read the answer page
// for the refusal marker and for the free names it offers.
#pragma once

#include <functional>

#include "query/batch_check.h"
#include "text/gbk_text.h"

namespace yc::query {

/// The form body for a batch: the names, each followed by CR LF, encoded, then the empty code
/// field and the fixed tail.
Text BulkCheckFormBody(const Batch& batch);

/// The text whose presence on the answer page means the registrar refused the submission.
const Text& RefusalMarker();

class RegistrarExchange final : public BatchChecker {
  public:
    /// `endpoint` is the full URL of the bulk-check form; `timeoutSeconds` the longest silence
    /// an exchange waits through (0: the page fetch's default), and ten times it the longest
    /// exchange.
    explicit RegistrarExchange(Text endpoint, float timeoutSeconds = 0.0F)
        : endpoint_(std::move(endpoint)), timeoutSeconds_(timeoutSeconds) {}

    /// Called with the answer page when it offers no free name, for inspection (the window puts
    /// it on the clipboard).
    void onPageWithoutFreeNames(std::function<void(const Text& page)> handler) {
        pageWithoutFreeNames_ = std::move(handler);
    }
    /// Sends every exchange through this proxy (libcurl's form); empty for a direct connection.
    void setProxy(Text proxy) { proxy_ = std::move(proxy); }

    /// Every exchange uses a fresh client and finder; only the process's cookie store carries
    /// over.
    BatchOutcome CheckBatch(const Batch& batch, FreeNames& free) override;

  private:
    Text endpoint_;
    float timeoutSeconds_;
    Text proxy_;
    std::function<void(const Text&)> pageWithoutFreeNames_;
};

}  // namespace yc::query
