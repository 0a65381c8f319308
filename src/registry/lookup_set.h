// The lookups of one batch over one protocol, driven step by step so that the RDAP and WHOIS
// lookups of a batch run side by side in one loop.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_verdict.h"

namespace yc::registry {

class LookupSet {
  public:
    virtual ~LookupSet() = default;
    /// Starts what the limits allow, waits up to `maxWaitMs` for progress and reads answers.
    virtual void step(int maxWaitMs) = 0;
    virtual bool done() const = 0;
    /// Ends every lookup not done yet as failed with `reason`.
    virtual void abandon(const std::string& reason) = 0;
    /// One outcome per lookup, in the order given; meaningful once done().
    virtual const std::vector<LookupOutcome>& outcomes() const = 0;
};

}  // namespace yc::registry
