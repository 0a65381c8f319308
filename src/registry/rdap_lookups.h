// RDAP lookups of one batch, run side by side on libcurl's multi interface with at most a set
// number in flight per host. Driven step by step so WHOIS lookups can run in the same loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/lookup_set.h"
#include "registry/lookup_settings.h"

namespace yc::registry {

/// The libcurl multi handle the RDAP lookups of successive batches share, so that connections
/// to a registry stay open from one batch to the next.
class RdapSession {
  public:
    RdapSession();
    ~RdapSession();
    RdapSession(const RdapSession&) = delete;
    RdapSession& operator=(const RdapSession&) = delete;
    void* multi() const { return multi_; }

  private:
    void* multi_;  // CURLM, kept out of this header
};

class RdapLookups : public LookupSet {
  public:
    /// `urls`: one "<base>domain/<A-label>" per lookup.
    RdapLookups(const RdapSession& session, std::vector<std::string> urls,
                const LookupSettings& settings);
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
