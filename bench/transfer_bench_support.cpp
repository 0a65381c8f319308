// The benchmarks' registrar and the bare libcurl client they are measured against.
#include "transfer_bench_support.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>

namespace yc::bench {
namespace {

std::size_t discard(char*, std::size_t, std::size_t count, void* total) {
    *static_cast<std::size_t*>(total) += count;
    return count;
}

}  // namespace

std::string startedFormUrl(sim::RegistrarServer& server, benchmark::State& state) {
    if (!server.start()) {
        state.SkipWithError("simulator did not start");
        return {};
    }
    return "http://127.0.0.1:" + std::to_string(server.port()) + sim::kSubmitPath;
}

double bareCurlPosts(const std::string& url, std::span<const std::string> bodies) {
    CURL* easy = curl_easy_init();
    std::size_t total = 0;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &total);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& body : bodies) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_perform(easy);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    curl_easy_cleanup(easy);
    benchmark::DoNotOptimize(total);
    return seconds;
}

}  // namespace yc::bench
