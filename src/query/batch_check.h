// One bulk-check exchange as the query run sees it: a batch of names in, the free names out.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "query/domain_list.h"
#include "text/gbk_text.h"

namespace yc::query {

/// The names sent in one exchange, in list order. An empty name stands for an empty last line of
/// the list and is sent as an empty line.
using Batch = std::vector<Text>;
/// The names an answer says are free.
using FreeNames = std::unordered_set<Text>;

/// What a source knows about a name beyond free or taken (ASCII; empty when unknown).
struct NameFacts {
    std::string registry;    ///< who answered
    std::string registered;  ///< registration date, as the registry gives it
    std::string expires;     ///< expiry date, as the registry gives it
};

/// A name of the list that no one could be asked about, with the reason (GBK).
struct UncheckedName {
    Text name;
    Text reason;
};
using UncheckedNames = std::vector<UncheckedName>;

enum class BatchOutcome {
    Accepted,  ///< the registrar answered; `free` holds the free names
    Refused,   ///< the registrar refused the submission (too many queries)
    Failed,    ///< the transfer failed: no answer to classify the names by
};

class BatchChecker {
  public:
    virtual ~BatchChecker() = default;
    /// Checks the names of `batch`. `free` is replaced: the free names on Accepted, empty
    /// otherwise. An exchange cut short by a stop request is Failed.
    virtual BatchOutcome CheckBatch(const Batch& batch, FreeNames& free) = 0;

    /// The name a line of the list stands for, as it is sent and listed; empty skips the line.
    virtual Text nameOf(std::string_view line) const { return NormaliseDomainLine(line); }
    /// Whether the line stands for a name at all (nameOf not empty), for counting a list up
    /// front; a source whose names cost more to work out answers it more cheaply.
    virtual bool holdsName(std::string_view line) const { return !nameOf(line).empty(); }
    /// The names of the last Accepted batch that could not be checked at all: they get no row,
    /// neither free nor taken. Taking them leaves none behind.
    virtual UncheckedNames takeUnchecked() { return {}; }
    /// What the source knows about a name of the last Accepted batch; null when nothing.
    virtual const NameFacts* factsOf(const Text& /*name*/) const { return nullptr; }
    /// What went wrong in the last Failed or Refused batch, in a line (ASCII); empty when there
    /// is nothing more to say than the outcome.
    virtual std::string problem() const { return {}; }

    /// The run's stop flag (read on the calling thread only): once a stop click, a close or
    /// Ctrl-C sets it, the exchange in flight ends at once.
    void watchStopFlag(const bool* stopRequested) { stopRequested_ = stopRequested; }

  protected:
    bool stopRequested() const { return stopRequested_ != nullptr && *stopRequested_; }

  private:
    const bool* stopRequested_ = nullptr;
};

}  // namespace yc::query
