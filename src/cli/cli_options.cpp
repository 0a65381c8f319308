#include "cli/cli_options.h"

#include <charconv>
#include <string_view>

namespace yc::cli {
namespace {

std::optional<RetryPolicy> policyOf(std::string_view value) {
    if (value == "ask") {
        return RetryPolicy::Ask;
    }
    if (value == "retry") {
        return RetryPolicy::Retry;
    }
    if (value == "stop") {
        return RetryPolicy::Stop;
    }
    return std::nullopt;
}

std::optional<query::ExportFilter> filterOf(std::string_view value) {
    if (value == "all") {
        return query::ExportFilter{true, false, false};
    }
    if (value == "free") {
        return query::ExportFilter{false, true, false};
    }
    if (value == "taken") {
        return query::ExportFilter{false, false, true};
    }
    return std::nullopt;
}

std::optional<TextEncoding> encodingOf(std::string_view value) {
    if (value == "gbk") {
        return TextEncoding::Gbk;
    }
    if (value == "utf-8") {
        return TextEncoding::Utf8;
    }
    return std::nullopt;
}

/// The whole of `value` as a number that is not negative.
template <class Number>
std::optional<Number> nonNegativeOf(std::string_view value) {
    Number number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < 0) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

ParsedOptions parseCliOptions(std::span<char* const> args, bool interactive) {
    CliOptions options;
    options.onLimit = options.onFailure = interactive ? RetryPolicy::Ask : RetryPolicy::Stop;
    const auto fail = [](std::string message) { return ParsedOptions{std::nullopt, message}; };

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--demo") {
            options.demo = true;
            continue;
        }
        if (arg.starts_with("--")) {
            std::string_view name = arg;
            std::string_view value;
            if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return fail(std::string(arg) + " needs a value");
            }
            if (name == "--registrar") {
                options.registrar = value;
            } else if (name == "--ca-file") {
                options.caFile = value;
            } else if (name == "--output") {
                options.output = value;
            } else if (name == "--filter") {
                const auto filter = filterOf(value);
                if (!filter) {
                    return fail("--filter takes all, free or taken");
                }
                options.filter = *filter;
            } else if (name == "--on-limit" || name == "--on-failure") {
                const auto policy = policyOf(value);
                if (!policy) {
                    return fail(std::string(name) + " takes ask, retry or stop");
                }
                (name == "--on-limit" ? options.onLimit : options.onFailure) = *policy;
            } else if (name == "--retry-wait") {
                const auto seconds = nonNegativeOf<double>(value);
                if (!seconds) {
                    return fail("--retry-wait takes a number of seconds");
                }
                options.retryWaitSeconds = *seconds;
            } else if (name == "--max-retries") {
                const auto count = nonNegativeOf<int>(value);
                if (!count) {
                    return fail("--max-retries takes a whole number");
                }
                options.maxRetries = *count;
            } else if (name == "--input-encoding") {
                const auto encoding = encodingOf(value);
                if (!encoding && value != "auto") {
                    return fail("--input-encoding takes auto, gbk or utf-8");
                }
                options.inputEncoding = encoding;
            } else if (name == "--output-encoding") {
                options.outputEncoding = encodingOf(value);
                if (!options.outputEncoding) {
                    return fail("--output-encoding takes gbk or utf-8");
                }
            } else {
                return fail("unknown option " + std::string(name));
            }
            continue;
        }
        if (!options.input.empty()) {
            return fail("only one input file can be given");
        }
        options.input = arg;
    }
    if (options.help || options.version) {
        return {options, {}};
    }
    if (options.input.empty()) {
        return fail("no input given: name a file, or - for standard input");
    }
    if (options.demo && !options.registrar.empty()) {
        return fail("--demo and --registrar cannot be given together");
    }
    if (options.registrar.empty() && !options.demo) {
        return fail("no registrar given: use --registrar URL (the bulk-check form's full address)");
    }
    return {options, {}};
}

std::string cliUsage() {
    return R"(Usage: yuchaling-cli [options] FILE|-
Checks which domain names of a list are free to register, 50 names per request.

The list is GBK or UTF-8 text (UTF-16 with a byte-order mark also works), one name per line
(CR LF, LF or CR); URLs and sub-domains are cut down to the registrable domain. Results are
written one line per name, as the window program exports them.

Options:
  --registrar URL        full address of the registrar's bulk-check form (required, unless
                         --demo is given)
  --demo                 ask a simulated registrar started inside the program on a loopback
                         port instead: a name is free exactly when its first label ends in 7
                         (abc7.com, 7.cn); the answers are not real
  --ca-file PATH         an extra trusted CA certificate file for HTTPS
  --input-encoding auto|gbk|utf-8
                         how the list is read (default auto: a UTF-8 byte-order mark, or valid
                         UTF-8 holding a character of three or more bytes, means UTF-8; anything
                         else GBK); a line that is not valid in it, or holds a character GBK
                         cannot hold, is an error
  --filter all|free|taken
                         which names to write (default free); "all" adds ",是" or ",否"
  --output FILE          write results to FILE (CSV with a header when it ends in .csv);
                         without it results go to standard output
  --output-encoding gbk|utf-8
                         how results are written (default: as the list was read; on a terminal,
                         as its locale says)
  --on-limit ask|retry|stop
                         when the registrar refuses a batch (too many queries)
  --on-failure ask|retry|stop
                         when a transfer fails (no connection, time-out, HTTP error)
                         both default to ask on a terminal, stop otherwise
  --retry-wait SECONDS   pause before the first retry of a batch (default 60 after a refusal,
                         5 after a failure); it doubles with each retry in a row, up to 15
                         minutes
  --max-retries N        retries of one batch in a row under "retry" before the run stops
                         (default 8)
  --help, --version

Exit status: 0 every name was checked; 3 the run was stopped (refusal, failure or Ctrl-C; the
lines already written are complete); 2 usage error or unreadable input; 1 the output could not
be written.
)";
}

}  // namespace yc::cli
