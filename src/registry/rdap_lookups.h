// RDAP lookups of one batch, run side by side on libcurl's multi interface with at most a set
// number in flight per host. Driven step by step so WHOIS lookups can run in the same loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/lookup_settings.h"
#include "registry/registry_verdict.h"

namespace yc::registry {

class RdapLookups {
  public:
    /// `urls`: one "<base>domain/<A-label>" per lookup.
    RdapLookups(std::vector<std::string> urls, const LookupSettings& settings);
    ~RdapLookups();
    RdapLookups(const RdapLookups&) = delete;
    RdapLookups& operator=(const RdapLookups&) = delete;

    /// Starts what the limits allow, waits up to `maxWaitMs` for progress and collects answers.
    void step(int maxWaitMs);
    bool done() const;
    /// Ends every lookup not done yet as failed with `reason`.
    void abandon(const std::string& reason);
    /// One outcome per URL, in the order given; meaningful once done().
    const std::vector<LookupOutcome>& outcomes() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::registry
