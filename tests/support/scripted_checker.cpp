// The scripted batch checker: record, run the hook, answer from the script or by the rule.
#include "support/scripted_checker.h"

namespace yc::test {

query::BatchOutcome ScriptedChecker::CheckBatch(const query::Batch& batch, query::FreeNames& free) {
    batches.push_back(batch);
    if (duringExchange) {
        duringExchange();
    }
    free.clear();
    query::BatchOutcome outcome = query::BatchOutcome::Accepted;
    if (!outcomes.empty()) {
        outcome = outcomes.front();
        outcomes.pop_front();
    }
    if (outcome != query::BatchOutcome::Accepted || !isFree) {
        return outcome;
    }
    for (const Text& name : batch) {
        if (isFree(name)) {
            free.insert(name);
        }
    }
    return outcome;
}

}  // namespace yc::test
