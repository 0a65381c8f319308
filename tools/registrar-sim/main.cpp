// yuchaling-registrar-sim: runs the local registrar simulator until SIGINT or SIGTERM.
#include <charconv>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

#include "form_body.h"
#include "registrar_server.h"

namespace {

constexpr const char* kUsage =
    "usage: yuchaling-registrar-sim [options]\n"
    "  --port N                 listen on 127.0.0.1:N (default: a free port)\n"
    "  --tls-cert FILE --tls-key FILE   serve HTTPS with this PEM chain and key\n"
    "  --free-list FILE         names in FILE (one per line, GBK) are free\n"
    "  --free-pattern REGEX     names matching REGEX (ECMAScript, whole name) are free\n"
    "  --encoding E             utf8-header | utf8-meta | gbk | utf16 | big5\n"
    "  --gzip                   gzip the answer page\n"
    "  --pad N                  pad the page to at least N bytes\n"
    "  --upper                  upper-case markup\n"
    "  --answer-page FILE       answer every submission with the bytes of FILE, verbatim\n"
    "  --answer-type TYPE       Content-Type of the answer page (default text/html)\n"
    "  --refuse-after N         refuse submissions past N within the window\n"
    "  --refuse-window S        the window in seconds (default 60)\n"
    "  --session-cookie         set a session cookie, refuse later requests without it\n"
    "  --set-cookie VALUE       add a Set-Cookie header with VALUE to every answer\n"
    "  --fault F                none | delay | stall | reset | 500 | empty | redirect | endless\n"
    "                           | trickle\n"
    "  --delay-ms N             delay of the delay fault, pause between bytes of trickle\n"
    "  --redirect-to LOCATION   target of the redirect fault (default /landing)\n"
    "  --log FILE               append every raw request to FILE\n"
    "  --whois-port N           run the WHOIS listener on 127.0.0.1:N (0: a free port)\n"
    "  --lookup-delay-ms N      answer every RDAP and WHOIS lookup after N ms\n"
    "  --retry-after S          Retry-After of the RDAP limiting answers (default 1)\n"
    "  --write-services FILE    write a registry services table pointing here to FILE\n"
    "                           (starts the WHOIS listener)\n"
    "  -h, --help               print this help and exit\n"
    "  -v, --version            print the version and exit\n";

bool readNumber(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool readFile(const std::string& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() && !bytes.empty();
}

bool readList(const std::string& file, std::vector<std::string>& names) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            names.push_back(line);
        }
    }
    return true;
}

bool parse(int argc, char** argv, yc::sim::SimOptions& o, std::string& servicesFile) {
    using yc::sim::Fault;
    using yc::sim::PageEncoding;
    static const std::map<std::string_view, PageEncoding> encodings = {
        {"utf8-header", PageEncoding::Utf8Header},
        {"utf8-meta", PageEncoding::Utf8Meta},
        {"gbk", PageEncoding::Gbk},
        {"utf16", PageEncoding::Utf16Bom},
        {"big5", PageEncoding::Big5}};
    static const std::map<std::string_view, Fault> faults = {
        {"none", Fault::None},         {"delay", Fault::Delay},     {"stall", Fault::Stall},
        {"reset", Fault::Reset},       {"500", Fault::Status500},   {"empty", Fault::Empty200},
        {"redirect", Fault::Redirect}, {"endless", Fault::Endless}, {"trickle", Fault::Trickle}};
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        if (flag == "--gzip") {
            o.gzip = true;
            continue;
        }
        if (flag == "--upper") {
            o.upperCaseMarkup = true;
            continue;
        }
        if (flag == "--session-cookie") {
            o.sessionCookie = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        int number = 0;
        bool ok = true;
        if (flag == "--port") {
            ok = readNumber(value, o.port);
        } else if (flag == "--tls-cert") {
            o.certFile = value;
        } else if (flag == "--tls-key") {
            o.keyFile = value;
        } else if (flag == "--free-list") {
            ok = readList(value, o.freeNames);
        } else if (flag == "--free-pattern") {
            o.freePattern = value;
            ok = yc::sim::FreeRule::isValidPattern(value);
        } else if (flag == "--encoding") {
            ok = encodings.contains(value);
            o.encoding = ok ? encodings.at(value) : o.encoding;
        } else if (flag == "--answer-page") {
            ok = readFile(value, o.answerPage);
        } else if (flag == "--answer-type") {
            o.answerType = value;
        } else if (flag == "--pad") {
            ok = readNumber(value, number);
            o.padTo = static_cast<std::size_t>(number);
        } else if (flag == "--refuse-after") {
            ok = readNumber(value, o.refuseAfter);
        } else if (flag == "--refuse-window") {
            ok = readNumber(value, o.refuseWindowSeconds);
        } else if (flag == "--set-cookie") {
            o.extraSetCookies.push_back(value);
        } else if (flag == "--fault") {
            ok = faults.contains(value);
            o.fault = ok ? faults.at(value) : o.fault;
        } else if (flag == "--delay-ms") {
            ok = readNumber(value, o.delayMs);
        } else if (flag == "--redirect-to") {
            o.redirectTo = value;
        } else if (flag == "--log") {
            o.logPath = value;
        } else if (flag == "--whois-port") {
            o.registry.whois = readNumber(value, o.registry.whoisPort);
            ok = o.registry.whois;
        } else if (flag == "--lookup-delay-ms") {
            ok = readNumber(value, o.registry.lookupDelayMs);
        } else if (flag == "--retry-after") {
            ok = readNumber(value, o.registry.retryAfterSeconds);
        } else if (flag == "--write-services") {
            servicesFile = value;
            o.registry.whois = true;
        } else {
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        if (flag == "--help" || flag == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (flag == "--version" || flag == "-v") {
            std::printf("yuchaling-registrar-sim %s\n", YC_VERSION);
            return 0;
        }
    }
    yc::sim::SimOptions options;
    std::string servicesFile;
    if (!parse(argc, argv, options, servicesFile)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    // Blocked before the server threads start, so only sigwait below sees them.
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    yc::sim::RegistrarServer server(options);
    if (!server.start()) {
        std::fputs("yuchaling-registrar-sim: cannot listen (port, certificate or key)\n", stderr);
        return 1;
    }
    std::printf("listening on %s://127.0.0.1:%d\n", server.secure() ? "https" : "http",
                server.port());
    if (!servicesFile.empty()) {
        std::ofstream(servicesFile, std::ios::binary)
            << server.registry().servicesTable(server.port());
        std::printf("services table written to %s\n", servicesFile.c_str());
    }
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
    return 0;
}
