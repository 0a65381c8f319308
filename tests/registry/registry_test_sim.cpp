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

RegistryTestSim::RegistryTestSim(int delayMs) : sim_(registryOptions(delayMs)) {}

}  // namespace yc::test
