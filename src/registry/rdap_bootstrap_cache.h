// Keeps a copy of the RDAP bootstrap document in the user's cache folder, fetched again when it is
// a week old, so the services table's RDAP column follows the registries' moves between releases.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "registry/rdap_bootstrap.h"
#include "registry/services_table.h"

namespace yc::registry {

/// A copy younger than this is used as it is.
inline constexpr std::chrono::hours kRdapBootstrapMaxAge{24 * 7};

/// Name of the copy inside the cache folder.
inline constexpr std::string_view kRdapBootstrapCacheName = "rdap-dns.json";

/// How one refresh went; every outcome but Refreshed leaves the cached copy as it was.
enum class BootstrapRefresh {
    Fresh,        ///< the copy is valid and younger than a week: nothing fetched
    Refreshed,    ///< a new copy was fetched, checked and stored
    NoCache,      ///< no cache folder to keep a copy in
    FetchFailed,  ///< no connection, a time-out, an answer other than 200, or a body too large
    Refused,      ///< the fetched document is not a usable bootstrap
    StoreFailed,  ///< the new copy could not be written
};

class RdapBootstrapCache {
  public:
    /// `proxy` is libcurl's proxy text: empty for a direct connection whatever the environment
    /// says, "env" for libcurl's reading of the proxy variables. `now` decides the copy's age.
    /// Holds no global state: a refresh may run on any thread while the caller goes on (libcurl's
    /// global set-up must have run already, as the program does at start).
    RdapBootstrapCache(
        std::filesystem::path cacheFolder, std::string url = std::string(kIanaRdapBootstrapUrl),
        std::string proxy = {}, std::chrono::milliseconds timeout = std::chrono::seconds(20),
        std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

    std::filesystem::path cacheFile() const;

    /// Applies the cached copy to `table`; false, with the table untouched, when there is no copy
    /// or it is not a usable bootstrap.
    bool loadCached(ServicesTable& table) const;

    /// Fetches and stores a new copy when the cached one is missing, unusable or a week old.
    /// Never throws; a failure leaves the cached copy as it was.
    BootstrapRefresh refreshIfStale() const;

  private:
    std::filesystem::path folder_;
    std::string url_;
    std::string proxy_;
    std::chrono::milliseconds timeout_;
    std::chrono::system_clock::time_point now_;
};

}  // namespace yc::registry
