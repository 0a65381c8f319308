// 100,000 names through yuchaling-cli against the registrar simulator on loopback, compared with
// a bare libcurl client posting the same 2,000 form bodies to the same server; with the command
// line program's peak resident memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_child_run.h"
#include "query/bulk_check.h"
#include "registrar_server.h"
#include "transfer_bench_support.h"

namespace {

constexpr int kNames = 100000;
constexpr int kBatch = 50;

void BM_Cli100kNamesVsBareCurl(benchmark::State& state) {
    yc::sim::SimOptions options;
    options.freePattern = ".*7\\.com";
    options.padTo = 100 * 1024;
    yc::sim::RegistrarServer server(options);
    const std::string url = yc::bench::startedFormUrl(server, state);
    if (url.empty()) {
        return;
    }

    const std::filesystem::path list = std::filesystem::temp_directory_path() / "yc-cli-bench.txt";
    std::vector<std::string> bodies;
    {
        std::ofstream out(list, std::ios::binary);
        yc::query::Batch batch;
        for (int i = 1; i <= kNames; ++i) {
            const std::string name = "name" + std::to_string(i) + (i % 3 == 0 ? ".net" : ".com");
            out << name << "\r\n";
            batch.push_back(name);
            if (i % kBatch == 0) {
                bodies.push_back(yc::query::BulkCheckFormBody(batch));
                batch.clear();
            }
        }
    }
    for (auto _ : state) {
        const double bare = yc::bench::bareCurlPosts(url, bodies);
        const yc::bench::ChildRun cli =
            yc::bench::runCli({YC_CLI_PATH, "--registrar", url, list.string()});
        if (cli.status != 0) {
            state.SkipWithError("yuchaling-cli failed");
            break;
        }
        state.counters["bare_ms"] = bare * 1000;
        state.counters["cli_ms"] = cli.seconds * 1000;
        state.counters["ratio"] = cli.seconds / bare;
        state.counters["cli_peak_rss_MB"] = cli.peakMegabytes;
    }
    std::filesystem::remove(list);
}
BENCHMARK(BM_Cli100kNamesVsBareCurl)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
