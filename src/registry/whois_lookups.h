// WHOIS lookups of one batch over non-blocking sockets: at most a set number at once per server,
// with a pause between two queries to the same server. Driven step by step, like RdapLookups.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/lookup_settings.h"
#include "registry/registry_verdict.h"

namespace yc::registry {

struct WhoisQuery {
    std::string host;
    int port = 43;
    std::string query;         ///< the bytes sent, line end included
    std::string domain;        ///< the A-label asked about
    std::string notFoundText;  ///< the table's not-found text for the server; may be empty
};

/// Largest answer read; the rest of a longer one is ignored.
inline constexpr std::size_t kMaxWhoisAnswerBytes = 1 << 20;

class WhoisLookups {
  public:
    WhoisLookups(std::vector<WhoisQuery> queries, const LookupSettings& settings);
    ~WhoisLookups();
    WhoisLookups(const WhoisLookups&) = delete;
    WhoisLookups& operator=(const WhoisLookups&) = delete;

    /// Starts what the limits allow, waits up to `maxWaitMs` for progress and reads answers.
    void step(int maxWaitMs);
    bool done() const;
    /// Ends every lookup not done yet as failed with `reason`.
    void abandon(const std::string& reason);
    /// One outcome per query, in the order given; meaningful once done().
    const std::vector<LookupOutcome>& outcomes() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::registry
