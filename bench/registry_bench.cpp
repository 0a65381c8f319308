// The registry source against the local simulator answering each RDAP lookup after 20 ms:
// 10,000 names in batches of 50 with 4 lookups in flight, as a query run sends them. Reports
// names per second, the share of the ideal 4 / 20 ms, and the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>
#include <vector>

#include "registrar_server.h"
#include "registry/registry_checker.h"

namespace {

constexpr int kNames = 10000;
constexpr int kBatch = 50;
constexpr int kParallel = 4;
constexpr int kDelayMs = 20;

void registryRun(benchmark::State& state) {
    yc::sim::SimOptions options;
    options.freePattern = R"([^.]*7\.com)";
    options.registry.lookupDelayMs = kDelayMs;
    options.registry.whois = true;  // the services table names it, though no name here uses it
    yc::sim::RegistrarServer server(options);
    auto table =
        server.start()
            ? yc::registry::ServicesTable::parse(server.registry().servicesTable(server.port()))
            : std::nullopt;
    if (!table) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    yc::registry::LookupSettings settings;
    settings.rdapPerHost = kParallel;
    yc::registry::RegistryChecker checker(std::move(*table), settings);
    int answered = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int first = 0; first < kNames; first += kBatch) {
            std::vector<yc::Text> names;
            for (int i = first; i < first + kBatch; ++i) {
                names.push_back("name" + std::to_string(i) + ".com");
            }
            for (const auto& verdict : checker.check(names)) {
                answered += verdict.outcome.verdict == yc::registry::Verdict::Free ||
                            verdict.outcome.verdict == yc::registry::Verdict::Taken;
            }
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double namesPerSecond = kNames / seconds;
    state.counters["names_per_s"] = namesPerSecond;
    state.counters["share_of_ideal"] = namesPerSecond / (kParallel * 1000.0 / kDelayMs);
    state.counters["answered"] = answered;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["most_at_once"] = server.registry().peakRdap();
}

BENCHMARK(registryRun)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
