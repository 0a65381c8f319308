// The registrar's bulk-check endpoint as configured: a full URL, from which the host is taken
// for opening the registrar's page in the browser.
#pragma once

#include <string_view>

#include "text/gbk_text.h"

namespace yc::query {

/// The path of the bulk-check form on the registrar's host.
inline constexpr std::string_view kBulkCheckPath = "/domain/bulkregister_submit.php";

/// The host (with its port, if any) of a URL; empty when there is none.
Text registrarHostOf(std::string_view endpoint);

}  // namespace yc::query
