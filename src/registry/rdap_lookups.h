// RDAP lookups of one batch, run side by side on libcurl's multi interface with at most a set
// number in flight per host. Driven step by step so WHOIS lookups can run in the same loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/lookup_set.h"
#include "registry/lookup_settings.h"

namespace yc::registry {

class RdapLookups : public LookupSet {
  public:
    /// `urls`: one "<base>domain/<A-label>" per lookup.
    RdapLookups(std::vector<std::string> urls, const LookupSettings& settings);
    ~RdapLookups() override;
    RdapLookups(const RdapLookups&) = delete;
    RdapLookups& operator=(const RdapLookups&) = delete;

    void step(int maxWaitMs) override;
    bool done() const override;
    void abandon(const std::string& reason) override;
    const std::vector<LookupOutcome>& outcomes() const override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::registry
