// The yardstick of the transfer benchmarks: a plain libcurl client posting bodies in sequence on
// one reused easy handle.
#pragma once

#include <span>
#include <string>

namespace yc::bench {

/// Posts every body to `url` in order; returns the seconds taken.
double bareCurlPosts(const std::string& url, std::span<const std::string> bodies);

}  // namespace yc::bench
