// Which registry answers for a host name: the registrable domain under the Public Suffix List,
// written as an A-label, and the services-table row of the registry that holds it.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "registry/services_table.h"
#include "text/gbk_text.h"

namespace yc::registry {

struct RegistryTarget {
    std::string domain;  ///< the registrable domain as an A-label, lower case
    const RegistryService* service = nullptr;
};

/// Why a name cannot be checked (ASCII, for the unchecked list).
struct NotCheckable {
    std::string reason;
};

/// The A-label form of a UTF-8 host name (IDNA 2008 with UTS #46 mapping), lower case; empty
/// when the name cannot be converted.
std::string toALabel(std::string_view utf8Host);

/// The Unicode (UTF-8) form of an A-label name; the name itself when it has no "xn--" label or
/// cannot be converted.
std::string toULabel(std::string_view aLabelHost);

/// The registrable domain of a host (GBK, cut free of scheme, port, path and "www."), written
/// with Unicode labels as the user writes names; the host itself when it has none.
Text registrableName(std::string_view gbkHost);

/// Resolves a host (GBK, already cut free of scheme, port, path and "www."). A name under a
/// private suffix (such as cn.com) is answered only by that suffix's own row, never by the
/// top-level registry, which knows nothing of the names below it.
std::variant<RegistryTarget, NotCheckable> resolveTarget(std::string_view gbkHost,
                                                         const ServicesTable& table);

}  // namespace yc::registry
