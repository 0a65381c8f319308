// Choosing the services table and the lookup limits of the registry source.
#include "registry/registry_source.h"

#include <charconv>

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
    LookupSettings lookups;
    lookups.rdapPerHost = settings.parallel;
    lookups.proxy = settings.proxy;
    return {std::make_unique<RegistryBatchChecker>(std::move(*table), std::move(lookups)), {}};
}

}  // namespace yc::registry
