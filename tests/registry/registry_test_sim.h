// The simulator with its registry side for registry tests: RDAP on its HTTP port, WHOIS on a port
// of its own, and the services table that points at both.
#pragma once

#include "registry/services_table.h"
#include "support/registrar_sim.h"

namespace yc::test {

class RegistryTestSim {
  public:
    /// Names whose first label ends in "7" are free; `delayMs` delays every lookup's answer.
    /// `tls` serves RDAP over HTTPS with the throw-away certificate (WHOIS stays plain).
    explicit RegistryTestSim(int delayMs = 0, bool tls = false);

    registry::ServicesTable table() { return *registry::ServicesTable::parse(servicesText()); }
    std::string servicesText();
    sim::RegistryService& registry() { return sim_.server().registry(); }
    bool started() const { return sim_.started(); }

  private:
    RegistrarSim sim_;
    bool tls_;
};

}  // namespace yc::test
