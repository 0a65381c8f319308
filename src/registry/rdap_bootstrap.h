// IANA's RDAP bootstrap registry for top-level domains (RFC 9224): reading and checking a
// bootstrap document, and overriding the RDAP column of a services table with what it names.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "registry/services_table.h"

namespace yc::registry {

/// Where IANA publishes the current bootstrap document for domain names.
inline constexpr std::string_view kIanaRdapBootstrapUrl = "https://data.iana.org/rdap/dns.json";

/// The RDAP base URL of each top-level domain a bootstrap document serves over https: the key
/// is the lower-case A-label, the value the first https URL of its entry, ending with "/".
using RdapBootstrap = std::map<std::string, std::string>;

/// Reads a bootstrap document. Nothing when it is not JSON, has no "services" array, holds an
/// entry that is not [[labels…], [URLs…]] or a label that is not a lower-case A-label, or serves
/// no domain over https at all. Entries without an https URL are left out.
std::optional<RdapBootstrap> parseRdapBootstrap(std::string_view json);

/// Points every domain of the bootstrap at its URL, adding rows (RDAP only) for domains the
/// table lacks; WHOIS columns and domains the bootstrap leaves out stay as they are. Returns
/// how many rows changed or were added.
std::size_t applyRdapBootstrap(const RdapBootstrap& bootstrap, ServicesTable& table);

}  // namespace yc::registry
