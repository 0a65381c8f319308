// Reading RDAP bootstrap documents and applying them to the services table.
#include "registry/rdap_bootstrap.h"

#include <nlohmann/json.hpp>

namespace yc::registry {
namespace {

bool isLdh(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Upper case, U-labels and dots are refused rather than repaired: the registry publishes A-labels
// in lower case, so anything else means the document is not the one expected.
bool isLowerCaseALabel(const std::string& label) {
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') {
        return false;
    }
    for (const char c : label) {
        if (!isLdh(c)) {
            return false;
        }
    }
    return true;
}

// A URL fit to put in front of "domain/<name>": https, a host, and nothing that would break the
// services table's one-line rows.
bool isUsableHttpsUrl(const std::string& url) {
    constexpr std::string_view kScheme = "https://";
    if (!url.starts_with(kScheme) || url.size() == kScheme.size() || url[kScheme.size()] == '/') {
        return false;
    }
    for (const char c : url) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) {
            return false;
        }
    }
    return true;
}

// False when the entry is malformed; `bootstrap` gains its labels when it has an https URL.
bool readEntry(const nlohmann::json& entry, RdapBootstrap& bootstrap) {
    if (!entry.is_array() || entry.size() != 2 || !entry[0].is_array() || !entry[1].is_array()) {
        return false;
    }
    std::optional<std::string> base;
    for (const nlohmann::json& url : entry[1]) {
        if (!url.is_string()) {
            return false;
        }
        if (!base && isUsableHttpsUrl(url.get_ref<const std::string&>())) {
            base = url.get<std::string>();
        }
    }
    if (base && base->back() != '/') {
        *base += '/';
    }
    for (const nlohmann::json& label : entry[0]) {
        if (!label.is_string() || !isLowerCaseALabel(label.get_ref<const std::string&>())) {
            return false;
        }
        if (base) {
            bootstrap.emplace(label.get<std::string>(), *base);
        }
    }
    return true;
}

}  // namespace

std::optional<RdapBootstrap> parseRdapBootstrap(std::string_view json) {
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        return std::nullopt;
    }
    const auto services = document.find("services");
    if (services == document.end() || !services->is_array()) {
        return std::nullopt;
    }
    RdapBootstrap bootstrap;
    for (const nlohmann::json& entry : *services) {
        if (!readEntry(entry, bootstrap)) {
            return std::nullopt;
        }
    }
    if (bootstrap.empty()) {
        return std::nullopt;
    }
    return bootstrap;
}

std::size_t applyRdapBootstrap(const RdapBootstrap& bootstrap, ServicesTable& table) {
    std::size_t changed = 0;
    for (const auto& [suffix, base] : bootstrap) {
        const RegistryService* row = table.find(suffix);
        if (row == nullptr || row->rdapBase != base) {
            table.setRdapBase(suffix, base);
            ++changed;
        }
    }
    return changed;
}

}  // namespace yc::registry
