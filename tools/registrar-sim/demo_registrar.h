// The registrar of the demo mode: the simulator started inside the program on a free loopback
// port, with one fixed rule so that a demo run gives the same answers everywhere, whether it is
// asked as a registrar or as the registries.
#pragma once

#include <string>

#include "registrar_server.h"

namespace yc::sim {

class DemoRegistrar {
  public:
    /// A name is free exactly when its first label ends in the digit 7 ("abc7.com", "7.cn").
    static constexpr const char* kFreePattern = "[^.]*7(\\..*)?";

    DemoRegistrar();
    /// Starts listening; false when no loopback port could be had.
    bool start() { return server_.start(); }
    /// The full address of the demo's bulk-check form.
    std::string endpoint() const;
    /// A services table in which the demo's own RDAP and WHOIS services answer for com, net, cn,
    /// de, io, uk and cn.com, by the same rule.
    std::string servicesTable();

  private:
    RegistrarServer server_;
};

}  // namespace yc::sim
