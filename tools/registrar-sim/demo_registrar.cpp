// The demo registrar: the simulator's defaults with the demo's free-name rule, and its registries.
#include "demo_registrar.h"

namespace yc::sim {
namespace {

SimOptions demoOptions() {
    SimOptions options;
    options.freePattern = DemoRegistrar::kFreePattern;
    options.registry.whois = true;
    return options;
}

}  // namespace

DemoRegistrar::DemoRegistrar() : server_(demoOptions()) {}

std::string DemoRegistrar::endpoint() const {
    return "http://127.0.0.1:" + std::to_string(server_.port()) + kSubmitPath;
}

std::string DemoRegistrar::servicesTable() {
    return server_.registry().servicesTable(server_.port());
}

}  // namespace yc::sim
