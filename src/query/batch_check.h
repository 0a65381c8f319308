// One bulk-check exchange as the query run sees it: a batch of names in, the free names out.
#pragma once

#include "text/gbk_text.h"

namespace yc::query {

enum class BatchOutcome {
    Accepted,  ///< the registrar answered; `available` holds the free names, one per CR LF line
    Refused,   ///< the registrar refused the submission (too many queries)
    Failed,    ///< the transfer failed: no answer to classify the names by
};

class BatchChecker {
  public:
    virtual ~BatchChecker() = default;
    /// Checks the names of `batch` (each followed by CR LF). `available` is replaced: the free
    /// names on Accepted, empty otherwise.
    virtual BatchOutcome CheckBatch(const Text& batch, Text& available) = 0;
};

}  // namespace yc::query
