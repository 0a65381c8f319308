// The registrar's answer pages as the simulator sends them: the bulk-check result listing every
// free name as an "input" element named "domain[]", and the refusal page.
#pragma once

#include <string>
#include <vector>

#include "sim_options.h"

namespace yc::sim {

struct PageBytes {
    std::string body;
    std::string contentType;
    bool gzipped = false;
};

/// `names` are the GBK names of the submission; `isFree` tells which of them to offer.
PageBytes resultPage(const std::vector<std::string>& names, const std::vector<bool>& isFree,
                     const SimOptions& options);
PageBytes refusalPage(const SimOptions& options);

}  // namespace yc::sim
