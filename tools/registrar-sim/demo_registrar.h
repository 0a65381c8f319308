// The registrar of the demo mode: the simulator started inside the program on a free loopback
// port, with one fixed rule so that a demo run gives the same answers everywhere.
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

  private:
    RegistrarServer server_;
};

}  // namespace yc::sim
