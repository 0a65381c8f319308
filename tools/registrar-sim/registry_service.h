// The simulator's registry side: answers RDAP requests under /rdap/<tld>/domain/<name> for the
// registrar server, runs a WHOIS listener on a loopback port of its own, counts the most
// lookups it served at once, and writes a services table that points at itself.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim_options.h"

namespace yc::sim {

class RegistryService {
  public:
    explicit RegistryService(const SimOptions& options);
    ~RegistryService();
    RegistryService(const RegistryService&) = delete;
    RegistryService& operator=(const RegistryService&) = delete;

    /// Starts the WHOIS listener when the options ask for it; false when it cannot listen.
    bool start();
    void stop();

    static bool isRdapPath(std::string_view path);
    /// The whole HTTP response to an RDAP request, given after the configured delay.
    std::string rdapResponse(std::string_view path, bool keepAlive);

    int whoisPort() const;
    /// The most RDAP requests, and the most WHOIS queries, in progress at one moment.
    int peakRdap() const;
    int peakWhois() const;
    int rdapRequests() const;
    /// The WHOIS queries received, as sent, in arrival order.
    std::vector<std::string> whoisQueries() const;

    /// A services table in which com and net have RDAP here, and cn, de, io, uk and the private
    /// cn.com have WHOIS here (cn, de and uk with their own query and not-found texts).
    std::string servicesTable(int httpPort) const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::sim
