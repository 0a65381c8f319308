// Peak resident memory of yuchaling-cli on long inputs against the registrar simulator on
// loopback: a list of 2,000,000 names, whose rows are streamed and not kept, and one line of
// 200,000,000 bytes, which is a single very long name.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli_child_run.h"
#include "registrar_server.h"
#include "transfer_bench_support.h"

namespace {

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

void report(benchmark::State& state, const yc::bench::ChildRun& run, double inputMegabytes) {
    state.counters["cli_ms"] = run.seconds * 1000;
    state.counters["cli_peak_rss_MB"] = run.peakMegabytes;
    state.counters["input_MB"] = inputMegabytes;
    state.counters["exit_status"] = run.status;
}

void BM_CliPeakMemory2MNames(benchmark::State& state) {
    yc::sim::SimOptions options;
    options.freePattern = ".*7\\.com";
    yc::sim::RegistrarServer server(options);
    const std::string url = yc::bench::startedFormUrl(server, state);
    if (url.empty()) {
        return;
    }
    const std::filesystem::path list = benchFile("yc-cli-memory-names.txt");
    {
        std::ofstream out(list, std::ios::binary);
        for (int i = 1; i <= 2000000; ++i) {
            out << "name" << i << ".com\n";
        }
    }
    const double inputMegabytes = static_cast<double>(std::filesystem::file_size(list)) / 1e6;
    for (auto _ : state) {
        report(state, yc::bench::runCli({YC_CLI_PATH, "--registrar", url, list.string()}),
               inputMegabytes);
    }
    std::filesystem::remove(list);
}
BENCHMARK(BM_CliPeakMemory2MNames)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_CliPeakMemoryLongLine(benchmark::State& state) {
    yc::sim::RegistrarServer server(yc::sim::SimOptions{});
    const std::string url = yc::bench::startedFormUrl(server, state);
    if (url.empty()) {
        return;
    }
    const std::filesystem::path list = benchFile("yc-cli-memory-line.txt");
    {
        std::ofstream out(list, std::ios::binary);
        const std::string chunk(1000000, 'a');
        for (int i = 0; i < 200; ++i) {
            out << chunk;
        }
    }
    for (auto _ : state) {
        report(state,
               yc::bench::runCli({YC_CLI_PATH, "--registrar", url, "--on-failure", "stop",
                                  "--on-limit", "stop", list.string()}),
               200);
    }
    std::filesystem::remove(list);
}
BENCHMARK(BM_CliPeakMemoryLongLine)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
