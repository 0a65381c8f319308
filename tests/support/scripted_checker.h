// A batch checker for tests: records every batch, runs a hook inside each exchange, answers with
// scripted outcomes first and then by a rule that says which names are free.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "query/batch_check.h"

namespace yc::test {

class ScriptedChecker final : public query::BatchChecker {
  public:
    /// Every batch sent, in order.
    std::vector<query::Batch> batches;
    /// The outcomes of the next exchanges; once used up, every exchange is Accepted.
    std::deque<query::BatchOutcome> outcomes;
    /// Runs inside each exchange, before it is answered.
    std::function<void()> duringExchange;
    /// Which names of an accepted batch are free; none when not set.
    std::function<bool(const Text& name)> isFree;

    query::BatchOutcome CheckBatch(const query::Batch& batch, query::FreeNames& free) override;
};

}  // namespace yc::test
