// WHOIS lookups of one batch over non-blocking sockets, direct or through a SOCKS5 proxy, with at
// most a set number at once per server and a pause between two queries to one server.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/lookup_set.h"
#include "registry/lookup_settings.h"

namespace yc::registry {

struct WhoisQuery {
    std::string host;
    int port = 43;
    std::string query;         ///< the bytes sent, line end included
    std::string domain;        ///< the A-label asked about
    std::string notFoundText;  ///< the table's not-found text for the server; may be empty
};

/// Largest answer read; the rest of a longer one is ignored.
inline constexpr std::size_t kMaxWhoisAnswerBytes = 1 << 20;

/// Why no WHOIS lookup can be made under the proxy setting `proxy` (an http or https proxy, which
/// cannot carry WHOIS), in ASCII English; empty when WHOIS can go direct or through it. Every
/// WHOIS lookup under such a setting ends unchecked with this reason, so a front end can say it
/// once when a run starts.
std::string whoisProxyProblem(const std::string& proxy);

class WhoisLookups : public LookupSet {
  public:
    /// Goes through `settings.proxy` when it names a SOCKS proxy, and directly under "env".
    WhoisLookups(std::vector<WhoisQuery> queries, const LookupSettings& settings);
    ~WhoisLookups() override;
    WhoisLookups(const WhoisLookups&) = delete;
    WhoisLookups& operator=(const WhoisLookups&) = delete;

    void step(int maxWaitMs) override;
    bool done() const override;
    void abandon(const std::string& reason) override;
    const std::vector<LookupOutcome>& outcomes() const override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::registry
