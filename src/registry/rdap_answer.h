// What an RDAP answer means for the name asked about.
#pragma once

#include <string_view>

#include "registry/registry_verdict.h"

namespace yc::registry {

struct RdapAnswer {
    long status = 0;  ///< 0 when the transfer itself failed
    std::string_view body;
    std::string_view retryAfter;  ///< the Retry-After header's value, empty when absent
    std::string_view transferError;
};

/// 404 is free; 200 with a domain object is taken; 429, or 503 with Retry-After, means the
/// registry is limiting us; anything else is a failed lookup.
LookupOutcome rdapOutcome(const RdapAnswer& answer);

/// Seconds to wait from a Retry-After value: delta-seconds or an HTTP date; 0 when unreadable.
int retryAfterSeconds(std::string_view value);

}  // namespace yc::registry
