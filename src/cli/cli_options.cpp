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

std::optional<double> secondsOf(std::string_view value) {
    double seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error != std::errc() || end != value.data() + value.size() || seconds < 0) {
        return std::nullopt;
    }
    return seconds;
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
                const auto seconds = secondsOf(value);
                if (!seconds) {
                    return fail("--retry-wait takes a number of seconds");
                }
                options.retryWaitSeconds = *seconds;
            } else if (name == "--timeout") {
                const auto seconds = secondsOf(value);
                if (!seconds || *seconds < 1 || *seconds > 86400) {
                    return fail("--timeout takes a number of seconds from 1 to 86400");
                }
                options.timeoutSeconds = *seconds;
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
    if (options.registrar.empty()) {
        return fail("no registrar given: use --registrar URL (the bulk-check form's full address)");
    }
    return {options, {}};
}

std::string cliUsage() {
    return R"(Usage: yuchaling-cli [options] FILE|-
Checks which domain names of a list are free to register, 50 names per request.

The list is GBK text (or UTF-8), one name per line; URLs and sub-domains are cut down to the
registrable domain. Results are written one line per name, as the window program exports them.

Options:
  --registrar URL        full address of the registrar's bulk-check form (required)
  --ca-file PATH         an extra trusted CA certificate file for HTTPS
  --filter all|free|taken
                         which names to write (default free); "all" adds ",是" or ",否"
  --output FILE          write results to FILE (CSV with a header when it ends in .csv);
                         without it results go to standard output
  --on-limit ask|retry|stop
                         when the registrar refuses a batch (too many queries)
  --on-failure ask|retry|stop
                         when a transfer fails (no connection, time-out, HTTP error)
                         both default to ask on a terminal, stop otherwise
  --retry-wait SECONDS   pause before a retry (default 0)
  --timeout SECONDS      give up on an exchange after this long without data (default 120);
                         no exchange lasts longer than ten times this
  --help, --version

Exit status: 0 every name was checked; 3 the run was stopped (refusal, failure or Ctrl-C; the
lines already written are complete); 2 usage error or unreadable input; 1 the output could not
be written.
)";
}

}  // namespace yc::cli
