#include "support/registrar_sim.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace yc::test {
namespace {

TlsFiles makeTls(const std::filesystem::path& dir) {
    const std::string d = dir.string();
    const std::string curve = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    const std::string commands =
        "cd '" + d + "' && " + "openssl req -x509" + curve +
        " -keyout ca.key -out ca.pem -days 2 -subj '/CN=yuchaling test CA'"
        " -addext basicConstraints=critical,CA:TRUE"
        " -addext keyUsage=critical,keyCertSign,cRLSign && "
        "openssl req" +
        curve +
        " -keyout server.key -out server.csr -subj '/CN=127.0.0.1' && "
        "printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\\nbasicConstraints=CA:FALSE\\n' "
        "> server.ext && "
        "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2"
        " -extfile server.ext -out server.pem";
    if (std::system(("(" + commands + ") >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("openssl could not make the test certificates");
    }
    return {dir / "ca.pem", dir / "server.pem", dir / "server.key"};
}

}  // namespace

const TlsFiles& throwAwayTls() {
    static const std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    static const TlsFiles files = makeTls(dir->path());
    return files;
}

std::vector<RawRequest> readRequestLog(const std::filesystem::path& log) {
    const std::string content = TempDir::read(log);
    std::vector<RawRequest> requests;
    const std::string_view marker = "@@REQUEST ";
    std::size_t pos = 0;
    while (content.compare(pos, marker.size(), marker) == 0) {
        const std::size_t lineEnd = content.find('\n', pos);
        if (lineEnd == std::string::npos) {
            break;
        }
        const std::size_t length = std::stoul(content.substr(pos + marker.size()));
        const std::string raw = content.substr(lineEnd + 1, length);
        pos = lineEnd + 1 + length + 1;

        RawRequest request;
        const std::size_t headEnd = raw.find("\r\n\r\n");
        const std::string head = raw.substr(0, headEnd);
        request.body = headEnd == std::string::npos ? std::string() : raw.substr(headEnd + 4);
        std::size_t from = 0;
        bool first = true;
        while (from <= head.size()) {
            const std::size_t end = std::min(head.find("\r\n", from), head.size());
            std::string line = head.substr(from, end - from);
            if (first) {
                request.requestLine = std::move(line);
                first = false;
            } else {
                request.headerLines.push_back(std::move(line));
            }
            from = end + 2;
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

sim::SimOptions RegistrarSim::withLogAndTls(sim::SimOptions options, const TempDir& dir, bool tls) {
    options.logPath = (dir.path() / "requests.log").string();
    if (tls) {
        options.certFile = throwAwayTls().certFile.string();
        options.keyFile = throwAwayTls().keyFile.string();
    }
    return options;
}

RegistrarSim::RegistrarSim(sim::SimOptions options, bool tls)
    : log_(dir_.path() / "requests.log"), server_(withLogAndTls(std::move(options), dir_, tls)) {
    started_ = server_.start();
}

std::string RegistrarSim::url(std::string_view path) const {
    return std::string(server_.secure() ? "https" : "http") +
           "://127.0.0.1:" + std::to_string(server_.port()) + std::string(path);
}

sim::SimOptions freeDotCom() {
    sim::SimOptions options;
    options.freePattern = ".*\\.com";
    return options;
}

sim::SimOptions silentFor30Seconds() {
    sim::SimOptions options;
    options.fault = sim::Fault::Delay;
    options.delayMs = 30000;
    return options;
}

}  // namespace yc::test
