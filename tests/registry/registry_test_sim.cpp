// The registry test simulator's options.
#include "registry_test_sim.h"

namespace yc::test {
namespace {

sim::SimOptions registryOptions(int delayMs) {
    sim::SimOptions options;
    options.freePattern = R"([^.]*7\..*)";
    options.registry.whois = true;
    options.registry.lookupDelayMs = delayMs;
    options.registry.retryAfterSeconds = 7;
    return options;
}

}  // namespace

RegistryTestSim::RegistryTestSim(int delayMs, bool tls)
    : sim_(registryOptions(delayMs), tls), tls_(tls) {}

std::string RegistryTestSim::servicesText() {
    std::string text = sim_.server().registry().servicesTable(sim_.port());
    for (std::size_t at = 0; tls_ && (at = text.find("http://", at)) != std::string::npos;) {
        text.replace(at, 7, "https://");
    }
    return text;
}

}  // namespace yc::test
