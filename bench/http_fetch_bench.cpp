// Page fetches against the local registrar simulator compared with a bare libcurl loop, the
// decoding speed of a large page, and the CPU the window thread spends waiting for a transfer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>

#include "host/event_pump.h"
#include "http/fetch_page.h"
#include "http/response_decoding.h"
#include "registrar_server.h"
#include "text/charset.h"
#include "transfer_bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFetches = 1000;

// 50 names, percent-encoded as the exchange sends them.
std::string fiftyNameForm() {
    std::string names;
    for (int i = 0; i < 50; ++i) {
        names += "name" + std::to_string(i) + (i % 2 == 0 ? ".com" : ".net") + "%0D%0A";
    }
    return "domainToCheck=" + names +
           "&picCode=&Submit=+++%E6%89%B9%E9%87%8F%E6%9F%A5%E8%AF%A2&suffix%5B%5D=.com";
}

double fetchPageLoop(const std::string& address, const std::string& body, int count) {
    std::size_t total = 0;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        yc::http::HttpClient client;
        client.SetUp();
        yc::Text url = address;
        yc::http::FetchOptions options;
        options.postText = body;
        total += client.FetchPage(url, options).size();
    }
    benchmark::DoNotOptimize(total);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The loops run in blocks of 100, alternating, so neither profits from a warmer machine.
void compareWithBareCurl(benchmark::State& state, yc::sim::PageEncoding encoding) {
    yc::sim::SimOptions options;
    options.freePattern = ".*\\.com";
    options.padTo = 100 * 1024;
    options.encoding = encoding;
    yc::sim::RegistrarServer server(options);
    const std::string url = yc::bench::startedFormUrl(server, state);
    if (url.empty()) {
        return;
    }
    const std::string body = fiftyNameForm();
    const std::vector<std::string> block(100, body);
    for (auto _ : state) {
        double bare = 0;
        double fetch = 0;
        for (int i = 0; i < kFetches / 100; ++i) {
            bare += yc::bench::bareCurlPosts(url, block);
            fetch += fetchPageLoop(url, body, 100);
        }
        state.counters["bare_ms"] = bare * 1000;
        state.counters["fetch_ms"] = fetch * 1000;
        state.counters["ratio"] = fetch / bare;
        state.counters["connections"] = server.connectionsAccepted();
    }
}

void BM_FetchPage1000VsBareCurl_Utf8(benchmark::State& state) {
    compareWithBareCurl(state, yc::sim::PageEncoding::Utf8Header);
}
void BM_FetchPage1000VsBareCurl_Gbk(benchmark::State& state) {
    compareWithBareCurl(state, yc::sim::PageEncoding::Gbk);
}
BENCHMARK(BM_FetchPage1000VsBareCurl_Utf8)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchPage1000VsBareCurl_Gbk)->Iterations(1)->Unit(benchmark::kMillisecond);

// A pump as cheap as a real one between its time slices: one virtual call per step.
class CountingPump : public yc::host::EventPump {
  public:
    void pump() override { ++calls; }
    void waitAndDispatch() override {}
    void wake() override {}
    std::size_t calls = 0;
};

void BM_DecodeUtf8Page10MB(benchmark::State& state) {
    std::string page = "<html><head><title>t</title></head><body>\n";
    while (page.size() < 10 * 1000 * 1000) {
        page +=
            "<p><input type=\"checkbox\" name=\"domain[]\" value=\"example.com\"> "
            "可以注册 批量查询结果</p>\n";
    }
    CountingPump pump;
    yc::host::installEventPump(&pump);
    for (auto _ : state) {
        benchmark::DoNotOptimize(yc::http::DecodeResponseText(page, 0));
    }
    yc::host::installEventPump(nullptr);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_DecodeUtf8Page10MB)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Sleeps until woken, like a window system's blocking wait for input.
class SleepingPump : public yc::host::EventPump {
  public:
    void pump() override {}
    void waitAndDispatch() override {
        std::unique_lock lock(mutex_);
        woken_.wait(lock, [this] { return signalled_; });
        signalled_ = false;
    }
    void wake() override {
        const std::lock_guard lock(mutex_);
        signalled_ = true;
        woken_.notify_one();
    }

  private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool signalled_ = false;
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void BM_WaitingThreadCpuFor2sAnswer(benchmark::State& state) {
    yc::sim::SimOptions options;
    options.fault = yc::sim::Fault::Delay;
    options.delayMs = 2000;
    yc::sim::RegistrarServer server(options);
    if (!server.start()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    SleepingPump pump;
    yc::host::installEventPump(&pump);
    for (auto _ : state) {
        yc::Text url = "http://127.0.0.1:" + std::to_string(server.port()) + yc::sim::kSubmitPath;
        yc::http::FetchOptions fetch;
        fetch.postText = fiftyNameForm();
        const double before = threadCpuSeconds();
        benchmark::DoNotOptimize(yc::http::FetchPage(url, fetch));
        state.counters["waiting_cpu_ms"] = (threadCpuSeconds() - before) * 1000;
    }
    yc::host::installEventPump(nullptr);
}
BENCHMARK(BM_WaitingThreadCpuFor2sAnswer)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
