// Decoding a submission's names and deciding which are free.
#include "form_body.h"

#include <algorithm>

namespace yc::sim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string percentDecode(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size() && hexValue(value[i + 1]) >= 0 &&
            hexValue(value[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(value[i + 1]) * 16 + hexValue(value[i + 2]));
            i += 2;
        } else {
            out += value[i] == '+' ? ' ' : value[i];
        }
    }
    return out;
}

std::vector<std::string> submittedNames(std::string_view formBody) {
    std::string_view field;
    std::size_t start = 0;
    while (start <= formBody.size()) {
        const std::size_t end = std::min(formBody.find('&', start), formBody.size());
        const std::string_view pair = formBody.substr(start, end - start);
        if (pair.starts_with("domainToCheck=")) {
            field = pair.substr(14);
            break;
        }
        start = end + 1;
    }
    std::vector<std::string> names;
    const std::string decoded = percentDecode(field);
    std::size_t from = 0;
    while (from < decoded.size()) {
        std::size_t end = decoded.find("\r\n", from);
        if (end == std::string::npos) {
            end = decoded.size();
        }
        if (end > from) {
            names.push_back(decoded.substr(from, end - from));
        }
        from = end + 2;
    }
    return names;
}

FreeRule::FreeRule(const SimOptions& options) : names_(options.freeNames) {
    if (!options.freePattern.empty() && isValidPattern(options.freePattern)) {
        hasPattern_ = true;
        pattern_ = std::regex(options.freePattern, std::regex::ECMAScript | std::regex::optimize);
    }
}

bool FreeRule::isValidPattern(const std::string& pattern) {
    try {
        std::regex compiled(pattern, std::regex::ECMAScript);
        return true;
    } catch (const std::regex_error&) {
        return false;
    }
}

bool FreeRule::isFree(const std::string& name) const {
    if (std::find(names_.begin(), names_.end(), name) != names_.end()) {
        return true;
    }
    return hasPattern_ && std::regex_match(name, pattern_);
}

}  // namespace yc::sim
