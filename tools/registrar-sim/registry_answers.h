// What the simulated registries answer about a name, and the RDAP and WHOIS texts that say it.
// The free-name rule decides free or taken; a first label starting with one of these prefixes
// asks for another answer: "limited-" (429, or WHOIS rate-limit text), "busy-" (503 with
// Retry-After), "failed-" (500, or a WHOIS connection closed without a word), "broken-" (a
// truncated JSON body, or a WHOIS text that says nothing), "moved-" (an RDAP redirect to plain
// http).
#pragma once

#include <string>
#include <string_view>

#include "form_body.h"

namespace yc::sim {

enum class RegistryAnswer { Free, Taken, Limited, Busy, Failed, Broken, Moved };

RegistryAnswer registryAnswerFor(std::string_view name, const FreeRule& rule);

struct RdapReply {
    int status = 200;
    std::string headers;  ///< extra header lines, each ending in CR LF
    std::string body;
};

RdapReply rdapReply(std::string_view tld, std::string_view name, RegistryAnswer answer,
                    int retryAfterSeconds);

/// The WHOIS answer bytes. The style follows the name's top-level domain: ".cn" answers in GBK
/// with the Unicode name echoed, ".de" echoes the domain with "Status: free", ".uk" answers in
/// Latin-1 with the name on the line below its label, the rest in UTF-8.
std::string whoisReply(std::string_view name, RegistryAnswer answer);

}  // namespace yc::sim
