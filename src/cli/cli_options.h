// The command line of yuchaling-cli.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "query/result_export.h"

namespace yc::cli {

/// What to do when the registrar refuses a batch or a transfer fails.
enum class RetryPolicy { Ask, Retry, Stop };

struct CliOptions {
    std::string input;   ///< a file path, or "-" for standard input
    std::string output;  ///< empty: standard output
    std::string registrar;
    std::string caFile;
    query::ExportFilter filter{false, true, false};
    RetryPolicy onLimit = RetryPolicy::Stop;
    RetryPolicy onFailure = RetryPolicy::Stop;
    double retryWaitSeconds = 0;
    double timeoutSeconds = 0;  ///< longest silence of an exchange; 0: the exchange's default
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    std::optional<CliOptions> options;  ///< none on a usage error
    std::string error;                  ///< one line saying what is wrong
};

/// `interactive` (standard input is a terminal) makes "ask" the default retry policy.
ParsedOptions parseCliOptions(std::span<char* const> args, bool interactive);

std::string cliUsage();

}  // namespace yc::cli
