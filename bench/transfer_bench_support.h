// What the transfer benchmarks share: the local registrar they talk to, and their yardstick, a
// plain libcurl client posting bodies in sequence on one reused easy handle.
#pragma once

#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "registrar_server.h"

namespace yc::bench {

/// Starts `server` and gives the address of its bulk-check form; empty, with the benchmark
/// marked failed, when it does not start.
std::string startedFormUrl(sim::RegistrarServer& server, benchmark::State& state);

/// Posts every body to `url` in order; returns the seconds taken.
double bareCurlPosts(const std::string& url, std::span<const std::string> bodies);

}  // namespace yc::bench
