// What the registry source found out about one name: free, taken, not checkable, or a lookup
// that failed or was refused for asking too often.
#pragma once

#include <string>

#include "text/gbk_text.h"

namespace yc::registry {

enum class Verdict {
    Free,
    Taken,
    Unchecked,  ///< no registry can be asked about the name; `reason` says why
    Failed,     ///< the lookup gave no definite answer; asking again may help
    Limited,    ///< the registry refused because we asked too often
};

/// The outcome of one lookup, before it is tied back to the name the user gave.
struct LookupOutcome {
    Verdict verdict = Verdict::Failed;
    std::string reason;         ///< ASCII; empty for free and taken
    int retryAfterSeconds = 0;  ///< for Limited: how long the registry asked us to wait
    std::string registered{};   ///< for Taken: the registration date as the registry gives it
    std::string expires{};      ///< for Taken: the expiry date as the registry gives it
};

struct NameVerdict {
    Text name;   ///< the name as given (GBK)
    Text asked;  ///< the registrable domain asked about, as an A-label; empty when unchecked
    std::string registry;  ///< the RDAP host or WHOIS server asked; empty when unchecked
    LookupOutcome outcome;
};

}  // namespace yc::registry
