// Checks a batch of names with the registries themselves: each name is resolved to its
// registrable domain and registry, then asked over RDAP or, where the registry has none, WHOIS.
#pragma once

#include <vector>

#include "registry/lookup_settings.h"
#include "registry/rdap_lookups.h"
#include "registry/registry_verdict.h"
#include "registry/services_table.h"
#include "text/gbk_text.h"

namespace yc::registry {

class RegistryChecker {
  public:
    RegistryChecker(ServicesTable table, LookupSettings settings);

    /// One verdict per name, in the order given. Names that share a registrable domain are asked
    /// about once. Lookups of the batch run side by side within the per-host limits.
    std::vector<NameVerdict> check(const std::vector<Text>& names);

  private:
    ServicesTable table_;
    LookupSettings settings_;
    RdapSession rdapSession_;
};

}  // namespace yc::registry
