// Settings of the simulator's registry side: the RDAP service, the WHOIS listener and their
// answer delay.
#pragma once

#include <string>

namespace yc::sim {

struct RegistryOptions {
    bool whois = false;         ///< run the WHOIS listener
    int whoisPort = 0;          ///< 0 picks a free port
    int lookupDelayMs = 0;      ///< every RDAP and WHOIS answer comes after this long
    int retryAfterSeconds = 1;  ///< Retry-After of the limiting answers
};

}  // namespace yc::sim
