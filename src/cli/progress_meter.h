// Progress on standard error: on a terminal a bar with names done, total, rate and the time
// left, taken off the line whenever other text is written to the same terminal; plain lines when
// standard error is a file or a pipe. A run ends with one summary line.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace yc::cli {

/// How a run's names came out.
struct RunTally {
    std::size_t checked = 0;
    std::size_t free = 0;
    std::size_t skipped = 0;    ///< names a resumed run found already in its output
    std::size_t unchecked = 0;  ///< names no one could be asked about
};

class ProgressMeter {
  public:
    ProgressMeter(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

    /// Starts the clock for a run over `names` names.
    void start(std::size_t names);
    /// Reports `done` names when it has changed since the last report.
    void update(std::size_t done);
    /// Takes the bar off the terminal, so that the next text starts on a clean line.
    void clear();
    /// Clears the bar and writes the summary; `stopped` says the run ended early.
    void finish(const RunTally& tally, bool stopped);

  private:
    double elapsedSeconds() const;

    std::FILE* out_;
    bool terminal_;
    bool barShown_ = false;
    std::size_t total_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t reported_ = static_cast<std::size_t>(-1);
};

}  // namespace yc::cli
