// Setting up the registry source for a front end: which services table (the user's, the one
// shipped with the program, or the demo's), how many lookups at once, and through which proxy.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_batch_checker.h"

namespace yc::registry {

/// The services table's file name in the program's data folder.
inline constexpr const char* kServicesFileName = "tld-services.tsv";

/// Lookups at once to one RDAP host: the default, and the range a user may choose from.
inline constexpr int kDefaultParallel = 4;
inline constexpr int kMaxParallel = 32;

/// Where a run's answers come from: a registrar's bulk-check form, or the registries themselves.
enum class AnswerSource { Registrar, Registry };

/// "registrar" or "registry"; nothing for any other text.
std::optional<AnswerSource> parseSource(std::string_view text);
/// A whole number from 1 to kMaxParallel; nothing otherwise.
std::optional<int> parseParallel(std::string_view text);

struct RegistrySourceSettings {
    /// The user's table; it replaces the shipped one.
    std::filesystem::path servicesFile;
    /// The table shipped with the program, used when the user names none.
    std::filesystem::path bundledFile;
    /// A table given as text (the demo's own registries); it wins over both files.
    std::optional<std::string> servicesText;
    int parallel = kDefaultParallel;  ///< RDAP lookups at once per host (WHOIS stays at one)
    std::string proxy;                ///< libcurl's form; empty for a direct connection
    long timeoutMs = 0;               ///< per lookup; 0 keeps the lookups' default
    /// Where IANA's RDAP bootstrap file is kept: a copy there overrides the shipped table's RDAP
    /// column, and a copy a week old is fetched again in the background. Empty: neither.
    std::filesystem::path cacheFolder;
};

struct RegistrySource {
    std::unique_ptr<RegistryBatchChecker> checker;  ///< null when the source cannot be set up
    std::string error;                              ///< why not (ASCII, one line)
};

/// Loads the table and sets up the checker. Only the shipped table follows the bootstrap file:
/// a table the user names, or the demo's, is taken as it is.
RegistrySource openRegistrySource(const RegistrySourceSettings& settings);

}  // namespace yc::registry
