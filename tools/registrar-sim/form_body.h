// Reading a bulk-check submission: the names of its "domainToCheck" field and the free-name rule.
#pragma once

#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "sim_options.h"

namespace yc::sim {

/// Percent-decodes one form value ("+" stands for a space).
std::string percentDecode(std::string_view value);

/// The GBK names of the "domainToCheck" field, one per CR LF separated line, blank lines dropped.
std::vector<std::string> submittedNames(std::string_view formBody);

class FreeRule {
  public:
    explicit FreeRule(const SimOptions& options);
    bool isFree(const std::string& name) const;
    /// A pattern that does not compile frees no name.
    static bool isValidPattern(const std::string& pattern);

  private:
    std::vector<std::string> names_;
    bool hasPattern_ = false;
    std::regex pattern_;
};

}  // namespace yc::sim
