// The command line of yuchaling-cli.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "query/name_expansion.h"
#include "query/result_export.h"
#include "registry/registry_source.h"

namespace yc::cli {

/// The form of each result line: the export's (TXT or CSV), or one JSON object.
enum class ResultFormat { Txt, Csv, JsonLines };

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
    /// The form of the result lines; none: JSON Lines for a ".jsonl" output, else the export's.
    std::optional<ResultFormat> format;
    /// Bare words of the list become one name per suffix (with the prefixes and suffix words).
    query::NameExpansion expansion;
    bool allowLargeExpansion = false;  ///< --yes: expand past the large-expansion guard
    bool resume = false;               ///< skip names already in the output, append the rest
    bool exitFree = false;             ///< exit 4 when no name is free
    /// Who answers; set by parsing (registrar when one is given or --demo, else registry).
    std::optional<registry::AnswerSource> source;
    std::string services;         ///< the registry services table; empty: the shipped one
    std::optional<int> parallel;  ///< RDAP lookups at once per host
    std::string proxy;            ///< empty: direct, environment proxy variables ignored
    std::string unchecked;  ///< where the names no registry can answer go; empty: standard error
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
