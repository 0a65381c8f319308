// The command line of yuchaling-cli.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "query/result_export.h"

namespace yc::cli {

/// What to do when the registrar refuses a batch or a transfer fails.
enum class RetryPolicy { Ask, Retry, Stop };

/// The encodings the list can be read in and the results written in.
enum class TextEncoding { Gbk, Utf8 };

struct CliOptions {
    std::string input;   ///< a file path, or "-" for standard input
    std::string output;  ///< empty: standard output
    std::string registrar;
    bool demo = false;  ///< ask the demo registrar started inside the program
    std::string caFile;
    query::ExportFilter filter{false, true, false};
    RetryPolicy onLimit = RetryPolicy::Stop;
    RetryPolicy onFailure = RetryPolicy::Stop;
    std::optional<double> retryWaitSeconds;     ///< none: 60 s after a refusal, 5 s after a failure
    int maxRetries = 8;                         ///< retries of one batch in a row under "retry"
    std::optional<TextEncoding> inputEncoding;  ///< none: guessed from the bytes
    std::optional<TextEncoding> outputEncoding;  ///< none: the list's, or a terminal's locale's
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
