// Runs the registrar simulator in-process on a free loopback port for a test, plain or TLS with a
// throw-away certificate authority, and reads back the raw requests it recorded.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "registrar_server.h"
#include "sim_options.h"
#include "support/temp_dir.h"

namespace yc::test {

/// One request as it arrived on the wire.
struct RawRequest {
    std::string requestLine;               ///< e.g. "POST /domain/bulkregister_submit.php HTTP/1.1"
    std::vector<std::string> headerLines;  ///< in arrival order, without CR LF
    std::string body;
};

/// A certificate authority and a server certificate for 127.0.0.1 and localhost signed by it,
/// made once per test process with the openssl command-line tool.
struct TlsFiles {
    std::filesystem::path caFile;
    std::filesystem::path certFile;
    std::filesystem::path keyFile;
};
const TlsFiles& throwAwayTls();

/// Options under which every name ending in ".com" is free.
sim::SimOptions freeDotCom();

/// Options under which every submission gets its answer only after 30 seconds of silence.
sim::SimOptions silentFor30Seconds();

/// The raw requests of a simulator log file, in arrival order.
std::vector<RawRequest> readRequestLog(const std::filesystem::path& log);

class RegistrarSim {
  public:
    /// Starts serving at once; `tls` serves HTTPS with the throw-away certificate. Check
    /// started() before use. The log goes to a file in the simulator's own temporary folder.
    explicit RegistrarSim(sim::SimOptions options = {}, bool tls = false);
    ~RegistrarSim() = default;
    RegistrarSim(const RegistrarSim&) = delete;
    RegistrarSim& operator=(const RegistrarSim&) = delete;

    bool started() const { return started_; }
    int port() const { return server_.port(); }
    /// Address of `path` on this simulator, e.g. "http://127.0.0.1:40123/domain/...".
    std::string url(std::string_view path = sim::kSubmitPath) const;
    std::vector<RawRequest> requests() const { return readRequestLog(log_); }
    const std::filesystem::path& logFile() const { return log_; }
    sim::RegistrarServer& server() { return server_; }

  private:
    static sim::SimOptions withLogAndTls(sim::SimOptions options, const TempDir& dir, bool tls);

    TempDir dir_;
    std::filesystem::path log_;
    sim::RegistrarServer server_;
    bool started_ = false;
};

}  // namespace yc::test
