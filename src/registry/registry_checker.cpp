// The batch checker: resolving names and running their RDAP and WHOIS lookups together.
#include "registry/registry_checker.h"

#include <map>
#include <string>
#include <variant>

#include "registry/registry_target.h"
#include "registry/whois_lookups.h"

namespace yc::registry {
namespace {

// Where the answer for one name comes from.
struct Source {
    bool rdap = true;
    std::size_t index = 0;  // into the RDAP or the WHOIS lookups
};

std::string whoisQueryFor(const RegistryService& service, const std::string& domain) {
    std::string query = service.whoisQuery;
    if (const std::size_t at = query.find("%s"); at != std::string::npos) {
        query.replace(at, 2, domain);
    }
    return query;
}

// The host a service is reached at, as the results name the registry.
std::string registryHost(const RegistryService& service) {
    if (service.rdapBase.empty()) {
        return service.whoisHost;
    }
    std::string_view base = service.rdapBase;
    if (const std::size_t scheme = base.find("://"); scheme != std::string_view::npos) {
        base.remove_prefix(scheme + 3);
    }
    return std::string(base.substr(0, base.find_first_of(":/")));
}

}  // namespace

RegistryChecker::RegistryChecker(ServicesTable table, LookupSettings settings)
    : table_(std::move(table)), settings_(std::move(settings)) {}

std::vector<NameVerdict> RegistryChecker::check(const std::vector<Text>& names) {
    std::vector<NameVerdict> verdicts(names.size());
    std::vector<std::string> rdapUrls;
    std::vector<WhoisQuery> whoisQueries;
    std::map<std::string, Source> sources;  // by registrable domain
    std::vector<const Source*> sourceOf(names.size(), nullptr);
    for (std::size_t i = 0; i < names.size(); ++i) {
        verdicts[i].name = names[i];
        const auto resolved = resolveTarget(names[i], table_);
        if (const auto* unfit = std::get_if<NotCheckable>(&resolved)) {
            verdicts[i].outcome = {Verdict::Unchecked, unfit->reason, 0};
            continue;
        }
        const RegistryTarget& target = std::get<RegistryTarget>(resolved);
        verdicts[i].asked = target.domain;
        verdicts[i].registry = registryHost(*target.service);
        auto [entry, added] = sources.try_emplace(target.domain);
        if (added) {
            const RegistryService& service = *target.service;
            if (!service.rdapBase.empty()) {
                entry->second = {true, rdapUrls.size()};
                rdapUrls.push_back(service.rdapBase + "domain/" + target.domain);
            } else {
                entry->second = {false, whoisQueries.size()};
                whoisQueries.push_back({service.whoisHost, service.whoisPort,
                                        whoisQueryFor(service, target.domain), target.domain,
                                        service.notFoundText});
            }
        }
        sourceOf[i] = &entry->second;
    }

    RdapLookups rdap(rdapSession_, std::move(rdapUrls), settings_);
    WhoisLookups whois(std::move(whoisQueries), settings_);
    while (!rdap.done() || !whois.done()) {
        if (settings_.shouldStop && settings_.shouldStop()) {
            rdap.abandon("stopped");
            whois.abandon("stopped");
            break;
        }
        // Each side waits long only while the other has nothing to do.
        if (!rdap.done()) {
            rdap.step(whois.done() ? 100 : 5);
        }
        if (!whois.done()) {
            whois.step(rdap.done() ? 100 : 0);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (const Source* source = sourceOf[i]; source != nullptr) {
            verdicts[i].outcome =
                source->rdap ? rdap.outcomes()[source->index] : whois.outcomes()[source->index];
        }
    }
    return verdicts;
}

}  // namespace yc::registry
