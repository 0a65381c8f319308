// 100,000 names through yuchaling-cli against the registrar simulator on loopback, compared with
// a bare libcurl client posting the same 2,000 form bodies to the same server; with the command
// line program's peak resident memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "query/bulk_check.h"
#include "registrar_server.h"
#include "transfer_bench_support.h"

namespace {

constexpr int kNames = 100000;
constexpr int kBatch = 50;

struct ChildRun {
    double seconds = 0;
    double peakMegabytes = 0;
    int status = -1;
};

ChildRun runCli(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

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
        const ChildRun cli = runCli({YC_CLI_PATH, "--registrar", url, list.string()});
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
