// Turns the user's raw list into the names that are sent: split into lines, then each line cut
// down to its registrable domain.
#pragma once

#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::query {

/// Lines separated by CR LF or "|"; inner empty lines stay, a trailing empty piece does not.
std::vector<Text> SplitDomainList(std::string_view text);

/// Trimmed, cut to the main domain, every "www." removed in any case. May be empty.
Text NormaliseDomainLine(std::string_view line);

/// The host a line names, for sources that find the registrable domain themselves: trimmed, cut
/// free of scheme, path, query and port, lower case (ASCII), without leading "www." labels or
/// trailing dots. May be empty.
Text HostOfLine(std::string_view line);

/// The host of a URL-like text cut to its last two labels (three with a compound suffix).
Text MainDomainOf(std::string_view text);

/// True when ".label." occurs in `host` for a generic label such as com, net or org.
bool HasCompoundSuffix(std::string_view host);

}  // namespace yc::query
