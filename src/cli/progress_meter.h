// Progress on standard error: a bar with names done, total and rate on a terminal, plain lines
// when standard error is a file or a pipe.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace yc::cli {

class ProgressMeter {
  public:
    ProgressMeter(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

    /// Starts the clock for a run over `total` names.
    void start(std::size_t total);
    /// Reports `done` names when it has changed since the last report.
    void update(std::size_t done);
    /// Ends the bar's line; `stopped` says the run ended early.
    void finish(std::size_t done, bool stopped);

  private:
    double rate(std::size_t done) const;

    std::FILE* out_;
    bool terminal_;
    std::size_t total_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t reported_ = static_cast<std::size_t>(-1);
};

}  // namespace yc::cli
