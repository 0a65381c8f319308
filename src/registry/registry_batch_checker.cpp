// The registry source as a batch checker: retries of failed lookups only, Retry-After waits.
#include "registry/registry_batch_checker.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "host/event_pump.h"
#include "query/domain_list.h"
#include "registry/registry_target.h"

namespace yc::registry {
namespace {

// Longest wait a registry's Retry-After may ask of one retry; the stop button ends it earlier.
constexpr std::chrono::seconds kLongestLimitWait{600};

LookupSettings watchingStop(LookupSettings settings, const std::function<bool()>& stopped) {
    settings.shouldStop = [stopped] {
        host::processPendingEvents();
        return stopped();
    };
    return settings;
}

}  // namespace

RegistryBatchChecker::RegistryBatchChecker(ServicesTable table, LookupSettings settings)
    : checker_(std::move(table),
               watchingStop(std::move(settings), [this] { return stopRequested(); })) {}

Text RegistryBatchChecker::nameOf(std::string_view line) const {
    const Text host = query::HostOfLine(line);
    return host.empty() ? host : registrableName(host);
}

bool RegistryBatchChecker::holdsName(std::string_view line) const {
    return !query::HostOfLine(line).empty();
}

bool RegistryBatchChecker::waitOutLimit() {
    while (std::chrono::steady_clock::now() < notBefore_) {
        host::processPendingEvents();
        if (stopRequested()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

query::BatchOutcome RegistryBatchChecker::CheckBatch(const query::Batch& batch,
                                                     query::FreeNames& free) {
    free.clear();
    unchecked_.clear();
    facts_.clear();
    if (batch != pendingBatch_) {
        pendingBatch_ = batch;
        answered_.clear();
    }
    if (!waitOutLimit()) {
        return query::BatchOutcome::Failed;
    }

    std::vector<Text> toAsk;
    for (const Text& name : batch) {
        if (!name.empty() && !answered_.contains(name)) {
            toAsk.push_back(name);
        }
    }
    bool limited = false;
    std::size_t failed = 0;
    int retryAfterSeconds = 0;
    problem_.clear();
    for (NameVerdict& verdict : checker_.check(toAsk)) {
        const Verdict kind = verdict.outcome.verdict;
        if (kind != Verdict::Limited && kind != Verdict::Failed) {
            answered_.emplace(verdict.name, std::move(verdict));
            continue;
        }
        if (kind == Verdict::Limited) {
            limited = true;
            retryAfterSeconds = std::max(retryAfterSeconds, verdict.outcome.retryAfterSeconds);
        }
        if (failed++ == 0) {
            problem_ = verdict.asked + ": " + verdict.outcome.reason;
        }
    }
    if (failed > 1) {
        problem_ += " (and " + std::to_string(failed - 1) + " more)";
    }
    if (stopRequested()) {
        return query::BatchOutcome::Failed;
    }
    if (limited) {
        notBefore_ = std::chrono::steady_clock::now() +
                     std::min<std::chrono::seconds>(std::chrono::seconds(retryAfterSeconds),
                                                    kLongestLimitWait);
        return query::BatchOutcome::Refused;
    }
    if (failed > 0) {
        return query::BatchOutcome::Failed;
    }

    for (const Text& name : batch) {
        const auto found = answered_.find(name);
        if (found == answered_.end()) {
            continue;
        }
        const NameVerdict& verdict = found->second;
        const LookupOutcome& outcome = verdict.outcome;
        if (outcome.verdict == Verdict::Unchecked) {
            unchecked_.push_back({name, outcome.reason});
            continue;
        }
        if (outcome.verdict == Verdict::Free) {
            free.insert(name);
        }
        facts_[name] = {verdict.registry, outcome.registered, outcome.expires};
    }
    pendingBatch_.clear();
    answered_.clear();
    return query::BatchOutcome::Accepted;
}

const query::NameFacts* RegistryBatchChecker::factsOf(const Text& name) const {
    const auto found = facts_.find(name);
    return found == facts_.end() ? nullptr : &found->second;
}

query::UncheckedNames RegistryBatchChecker::takeUnchecked() {
    return std::exchange(unchecked_, {});
}

}  // namespace yc::registry
