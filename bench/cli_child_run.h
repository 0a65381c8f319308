// Running yuchaling-cli as a child process for the benchmarks: its wall time, peak resident
// memory and exit status, with its output thrown away.
#pragma once

#include <string>
#include <vector>

namespace yc::bench {

struct ChildRun {
    double seconds = 0;
    double peakMegabytes = 0;
    int status = -1;  ///< the exit status; -1 when the child did not exit on its own
};

/// Runs `args` (the program first) and waits for it.
ChildRun runCli(const std::vector<std::string>& args);

}  // namespace yc::bench
