// A local stand-in for the registrar's bulk-check form: an HTTP/1.1 server (plain or TLS) on the
// loopback interface that answers submissions by its free-name rule, can refuse or misbehave on
// purpose, and records every raw request it receives.
#pragma once

#include <memory>

#include "registry_service.h"
#include "sim_options.h"

namespace yc::sim {

class RegistrarServer {
  public:
    explicit RegistrarServer(SimOptions options);
    ~RegistrarServer();
    RegistrarServer(const RegistrarServer&) = delete;
    RegistrarServer& operator=(const RegistrarServer&) = delete;

    /// Listens on 127.0.0.1 and serves on background threads; false when the port, certificate
    /// or key cannot be used.
    bool start();
    /// Stops accepting, ends every open connection and waits for their threads.
    void stop();
    int port() const;
    bool secure() const;
    /// Submissions answered so far (requests to the form's path).
    int submissions() const;
    /// Connections accepted so far.
    int connectionsAccepted() const;
    /// The RDAP service on this server's port and the WHOIS listener beside it.
    RegistryService& registry();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace yc::sim
