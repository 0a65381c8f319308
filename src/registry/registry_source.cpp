// Choosing the services table and the lookup limits of the registry source.
#include "registry/registry_source.h"

#include <charconv>
#include <thread>

#include "registry/rdap_bootstrap_cache.h"

namespace yc::registry {

std::optional<AnswerSource> parseSource(std::string_view text) {
    if (text == "registrar") {
        return AnswerSource::Registrar;
    }
    if (text == "registry") {
        return AnswerSource::Registry;
    }
    return std::nullopt;
}

std::optional<int> parseParallel(std::string_view text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 1 || n > kMaxParallel) {
        return std::nullopt;
    }
    return n;
}

RegistrySource openRegistrySource(const RegistrySourceSettings& settings) {
    std::optional<ServicesTable> table;
    std::string file;
    if (settings.servicesText) {
        table = ServicesTable::parse(*settings.servicesText);
        file = "the demo's table";
    } else {
        const std::filesystem::path& path =
            settings.servicesFile.empty() ? settings.bundledFile : settings.servicesFile;
        if (path.empty()) {
            return {nullptr, "the registry services table shipped with the program is missing"};
        }
        table = ServicesTable::load(path);
        file = path.string();
    }
    if (!table) {
        return {nullptr, "cannot read the registry services table " + file +
                             " (missing, unreadable or not a services table)"};
    }
    if (!settings.servicesText && settings.servicesFile.empty() && !settings.cacheFolder.empty()) {
        const RdapBootstrapCache bootstrap(settings.cacheFolder, std::string(kIanaRdapBootstrapUrl),
                                           settings.proxy);
        bootstrap.loadCached(*table);
        // The new copy serves from the next start on: nobody waits for the network now, and a
        // failed fetch changes nothing.
        std::thread([bootstrap] { bootstrap.refreshIfStale(); }).detach();
    }
    LookupSettings lookups;
    lookups.rdapPerHost = settings.parallel;
    lookups.proxy = settings.proxy;
    if (settings.timeoutMs > 0) {
        lookups.timeoutMs = settings.timeoutMs;
    }
    return {std::make_unique<RegistryBatchChecker>(std::move(*table), std::move(lookups)), {}};
}

}  // namespace yc::registry
