// Normalising one typical line, and splitting a million-line list.
#include <benchmark/benchmark.h>

#include <string>

#include "query/domain_list.h"

namespace {

void BM_NormaliseDomainLine(benchmark::State& state) {
    const std::string line = "  http://www.Example-Shop.com/x ";  // 30 bytes and more
    for (auto _ : state) {
        benchmark::DoNotOptimize(yc::query::NormaliseDomainLine(line));
    }
}
BENCHMARK(BM_NormaliseDomainLine);

void BM_SplitMillionLines(benchmark::State& state) {
    std::string list;
    for (int i = 0; i < 1000000; ++i) {
        list += "www.name" + std::to_string(i) + ".com.cn\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(yc::query::SplitDomainList(list));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(list.size()));
}
BENCHMARK(BM_SplitMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
