// Limits and time-outs shared by the RDAP and WHOIS lookups of one checker.
#pragma once

#include <functional>
#include <string>

namespace yc::registry {

struct LookupSettings {
    int rdapPerHost = 4;     ///< RDAP lookups at once to one host
    int whoisPerHost = 1;    ///< WHOIS queries at once to one host
    int whoisGapMs = 200;    ///< at least this long between two queries to one WHOIS host
    long timeoutMs = 60000;  ///< per lookup: connect, send and the whole answer
    std::string proxy;       ///< libcurl's form; empty for a direct connection
    /// Polled while lookups run (several times a second); true abandons those not yet done.
    std::function<bool()> shouldStop;
};

}  // namespace yc::registry
