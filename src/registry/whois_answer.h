// What a WHOIS answer means for the name asked about, and reading its bytes (GBK, UTF-8 or
// Latin-1) as Unicode text.
#pragma once

#include <string>
#include <string_view>

#include "registry/registry_verdict.h"

namespace yc::registry {

/// UTF-8 text of a WHOIS answer: kept when it is valid UTF-8, read as GBK when every byte above
/// 0x7F pairs up as a GBK character, and as Latin-1 otherwise.
std::string whoisAnswerText(std::string_view bytes);

/// Classifies an answer (UTF-8 text). `domain` is the A-label asked about; a domain line may also
/// name it in Unicode. With a `notFoundText` from the table an answer holding it is free even when
/// it echoes the domain; otherwise a domain line naming the domain is taken, and one of the common
/// not-found texts is free. Anything else is a failed lookup.
LookupOutcome whoisOutcome(std::string_view answer, std::string_view domain,
                           std::string_view notFoundText);

}  // namespace yc::registry
