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
    /// "[scheme://]host:port", "env" or empty, as http/proxy_setting.h reads it. RDAP takes every
    /// kind; WHOIS goes through socks5 and socks5h only, connects directly under "env", and with
    /// an http or https proxy leaves its names unchecked (see whoisProxyProblem).
    std::string proxy;
    /// Polled while lookups run (several times a second); true abandons those not yet done.
    std::function<bool()> shouldStop;
};

}  // namespace yc::registry
