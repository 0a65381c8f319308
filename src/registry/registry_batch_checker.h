// The registry source behind the query run's batch-checker seam: each batch is asked of the
// registries themselves, and a retried batch asks again only the lookups that gave no answer.
#pragma once

#include <chrono>
#include <string_view>
#include <unordered_map>

#include "query/batch_check.h"
#include "registry/registry_checker.h"

namespace yc::registry {

class RegistryBatchChecker final : public query::BatchChecker {
  public:
    /// `settings.shouldStop` is replaced: the checker dispatches window events and watches the
    /// run's stop flag while lookups run.
    RegistryBatchChecker(ServicesTable table, LookupSettings settings);

    /// Accepted when every checkable name got a definite answer; Refused when a registry limits
    /// us (a retry first waits out its Retry-After); Failed when a lookup failed or was stopped.
    query::BatchOutcome CheckBatch(const query::Batch& batch, query::FreeNames& free) override;
    /// The registrable domain the line names, as the user writes it (Unicode labels); the bare
    /// host when the line names no registrable domain, so that it is listed as unchecked.
    Text nameOf(std::string_view line) const override;
    /// A line holds a name exactly when it names a host: no suffix-list or IDNA work is needed.
    bool holdsName(std::string_view line) const override;
    query::UncheckedNames takeUnchecked() override;
    const query::NameFacts* factsOf(const Text& name) const override;
    /// How many lookups failed or were limited, with the first one's name and reason.
    std::string problem() const override { return problem_; }

  private:
    /// Waits, dispatching events, until a registry's Retry-After has passed; false on a stop.
    bool waitOutLimit();

    RegistryChecker checker_;
    /// The definite verdicts of the batch being retried, by name: its next try skips them.
    query::Batch pendingBatch_;
    std::unordered_map<Text, NameVerdict> answered_;
    std::chrono::steady_clock::time_point notBefore_;
    query::UncheckedNames unchecked_;
    std::unordered_map<Text, query::NameFacts> facts_;  ///< of the last Accepted batch
    std::string problem_;
};

}  // namespace yc::registry
