// Registrable-domain resolution with libpsl and A-label conversion with libidn2.
#include "registry/registry_target.h"

#include <idn2.h>
#include <libpsl.h>

#include <algorithm>
#include <memory>

#include "text/charset.h"

namespace yc::registry {
namespace {

struct FreeIdn2 {
    void operator()(char* p) const { idn2_free(p); }
};

// The newest list on the system (Debian's publicsuffix data) or, failing that, the one built
// into libpsl. Read-only after creation, so lookups from any thread are safe.
const psl_ctx_t* suffixList() {
    static const psl_ctx_t* const list = [] {
        const psl_ctx_t* latest = psl_latest(nullptr);
        return latest != nullptr ? latest : psl_builtin();
    }();
    return list;
}

bool isPrivateOnly(const psl_ctx_t* list, const std::string& suffix) {
    return psl_is_public_suffix2(list, suffix.c_str(), PSL_TYPE_PRIVATE | PSL_TYPE_NO_STAR_RULE) &&
           !psl_is_public_suffix2(list, suffix.c_str(), PSL_TYPE_ICANN | PSL_TYPE_NO_STAR_RULE);
}

bool isLdh(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Letters, digits and inner hyphens in labels of 1 to 63 bytes.
bool isHostName(std::string_view host) {
    std::size_t start = 0;
    while (start <= host.size()) {
        const std::size_t end = std::min(host.find('.', start), host.size());
        const std::string_view label = host.substr(start, end - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
            !std::all_of(label.begin(), label.end(), isLdh)) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string toALabel(std::string_view utf8Host) {
    std::string host(utf8Host);
    while (!host.empty() && host.back() == '.') {
        host.pop_back();
    }
    // libidn2 drops some ASCII that no host name may hold ("a_b" becomes "ab"): refuse it first.
    if (std::any_of(host.begin(), host.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 && c != '.' && !isLdh(c);
        })) {
        return {};
    }
    char* converted = nullptr;
    const int flags = IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL | IDN2_USE_STD3_ASCII_RULES;
    if (host.empty() || idn2_to_ascii_8z(host.c_str(), &converted, flags) != IDN2_OK) {
        return {};
    }
    const std::unique_ptr<char, FreeIdn2> owned(converted);
    std::string aLabel(converted);
    for (char& c : aLabel) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    return isHostName(aLabel) ? aLabel : std::string();
}

std::string toULabel(std::string_view aLabelHost) {
    const std::string host(aLabelHost);
    char* converted = nullptr;
    if (host.find("xn--") == std::string::npos ||
        idn2_to_unicode_8z8z(host.c_str(), &converted, 0) != IDN2_OK) {
        return host;
    }
    const std::unique_ptr<char, FreeIdn2> owned(converted);
    return converted;
}

Text registrableName(std::string_view gbkHost) {
    const std::string host = toALabel(text::gbkToUtf8(gbkHost));
    const char* registrable =
        host.empty() ? nullptr : psl_registrable_domain(suffixList(), host.c_str());
    if (registrable == nullptr) {
        return Text(gbkHost);
    }
    // A label GBK cannot hold would come back as "?": the host as given is then the better name.
    const std::string unicode = toULabel(registrable);
    Text name = text::utf8ToGbk(unicode);
    return text::gbkToUtf8(name) == unicode ? name : Text(gbkHost);
}

std::variant<RegistryTarget, NotCheckable> resolveTarget(std::string_view gbkHost,
                                                         const ServicesTable& table) {
    const std::string host = toALabel(text::gbkToUtf8(gbkHost));
    if (host.empty()) {
        return NotCheckable{"not a valid domain name"};
    }
    const psl_ctx_t* list = suffixList();
    const char* registrable = psl_registrable_domain(list, host.c_str());
    if (registrable == nullptr) {
        return NotCheckable{"a public suffix, not a registrable name"};
    }
    RegistryTarget target{registrable, nullptr};
    const std::string suffix = target.domain.substr(target.domain.find('.') + 1);
    if (const RegistryService* own = table.find(suffix); own != nullptr) {
        target.service = own;
    } else if (isPrivateOnly(list, suffix)) {
        return NotCheckable{"no registry known for the private suffix " + suffix};
    } else {
        // "co.uk" and the like are run by the registry of their top-level domain.
        for (std::size_t dot = suffix.find('.'); dot != std::string::npos && !target.service;
             dot = suffix.find('.', dot + 1)) {
            target.service = table.find(std::string_view(suffix).substr(dot + 1));
        }
    }
    if (target.service == nullptr || !target.service->reachable()) {
        return NotCheckable{"no registry service known for ." + suffix};
    }
    return target;
}

}  // namespace yc::registry
