// The table of registry services per domain suffix: the RDAP base URL and the WHOIS server (with
// its query form and not-found text) that answer for names under each suffix.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace yc::registry {

struct RegistryService {
    std::string suffix;     ///< A-label, lower case, without a leading dot ("com", "cn.com")
    std::string rdapBase;   ///< ends with "/"; empty when the registry has no RDAP
    std::string whoisHost;  ///< empty when the registry has no WHOIS server
    int whoisPort = 43;
    std::string whoisQuery = "%s\r\n";  ///< "%s" stands for the name
    std::string notFoundText;           ///< a WHOIS answer holding it means "not registered"

    bool reachable() const { return !rdapBase.empty() || !whoisHost.empty(); }
};

class ServicesTable {
  public:
    /// Reads the tab-separated table: "#" lines are comments; columns are suffix, RDAP base,
    /// WHOIS host[:port], then optionally the query (with "\r\n" written as such) and the
    /// not-found text. Nothing when a row is malformed or there is no row at all.
    static std::optional<ServicesTable> parse(std::string_view tsv);
    static std::optional<ServicesTable> load(const std::filesystem::path& file);

    /// The row for exactly this suffix, or null.
    const RegistryService* find(std::string_view suffix) const;
    std::size_t size() const { return rows_.size(); }

    /// Points the suffix's RDAP lookups at `base` (which must end with "/"), adding a row with
    /// RDAP only when the table has none for it; the row's WHOIS columns stay as they are.
    void setRdapBase(const std::string& suffix, std::string base);

  private:
    std::unordered_map<std::string, RegistryService> rows_;
};

}  // namespace yc::registry
