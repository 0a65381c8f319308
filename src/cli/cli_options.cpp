// Parsing and checking the options of yuchaling-cli, and its usage text.
#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>
#include <utility>

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

std::optional<ResultFormat> formatOf(std::string_view value) {
    if (value == "txt") {
        return ResultFormat::Txt;
    }
    if (value == "csv") {
        return ResultFormat::Csv;
    }
    if (value == "jsonl") {
        return ResultFormat::JsonLines;
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
        const std::pair<std::string_view, bool*> switches[] = {
            {"--demo", &options.demo},
            {"--yes", &options.allowLargeExpansion},
            {"--resume", &options.resume},
            {"--exit-free", &options.exitFree}};
        if (const auto* on = std::find_if(std::begin(switches), std::end(switches),
                                          [arg](const auto& s) { return s.first == arg; });
            on != std::end(switches)) {
            *on->second = true;
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
            } else if (name == "--suffixes") {
                const auto suffixes = query::ParseSuffixList(value);
                if (!suffixes || suffixes->empty()) {
                    return fail(
                        "--suffixes takes suffixes such as com,net or a preset (@cn, "
                        "@popular)");
                }
                options.expansion.suffixes = *suffixes;
            } else if (name == "--prefix") {
                options.expansion.prefixes = query::ParseWordList(value);
            } else if (name == "--suffix-word") {
                options.expansion.suffixWords = query::ParseWordList(value);
            } else if (name == "--format") {
                options.format = formatOf(value);
                if (!options.format) {
                    return fail("--format takes txt, csv or jsonl");
                }
            } else if (name == "--filter" || name == "--only") {
                const auto filter = filterOf(value);
                if (!filter) {
                    return fail(std::string(name) + " takes all, free or taken");
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
            } else if (name == "--source") {
                options.source = registry::parseSource(value);
                if (!options.source) {
                    return fail("--source takes registrar or registry");
                }
            } else if (name == "--services") {
                options.services = value;
            } else if (name == "--parallel") {
                options.parallel = registry::parseParallel(value);
                if (!options.parallel) {
                    return fail("--parallel takes a whole number from 1 to 32");
                }
            } else if (name == "--proxy") {
                options.proxy = value;
            } else if (name == "--unchecked") {
                options.unchecked = value;
            } else if (name == "--timeout") {
                const auto seconds = nonNegativeOf<double>(value);
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
    if (options.resume && options.output.empty()) {
        return fail("--resume needs --output FILE: the names already in FILE are skipped");
    }
    if (options.expansion.suffixes.empty() &&
        !(options.expansion.prefixes.empty() && options.expansion.suffixWords.empty())) {
        return fail("--prefix and --suffix-word need --suffixes");
    }
    if (options.demo && !options.registrar.empty()) {
        return fail("--demo and --registrar cannot be given together");
    }
    if (!options.source) {
        options.source = options.registrar.empty() && !options.demo
                             ? registry::AnswerSource::Registry
                             : registry::AnswerSource::Registrar;
    }
    if (options.source == registry::AnswerSource::Registrar && options.registrar.empty() &&
        !options.demo) {
        return fail("--source registrar needs --registrar URL (the bulk-check form's address)");
    }
    if (options.source == registry::AnswerSource::Registry && !options.registrar.empty()) {
        return fail("--registrar cannot be used with --source registry");
    }
    return {options, {}};
}

std::string cliUsage() {
    return R"(Usage: yuchaling-cli [options] FILE|-
Checks which domain names of a list are free to register, 50 names per batch.

The list is GBK or UTF-8 text (UTF-16 with a byte-order mark also works), one name per line
(CR LF, LF or CR); URLs and sub-domains are cut down to the registrable domain. Results are
written one line per name, as the window program exports them.

Options:
  --source registrar|registry
                         who answers: a registrar's bulk-check form, or the registries
                         themselves over RDAP and WHOIS (default: registrar when --registrar or
                         --demo is given, else registry)
  --registrar URL        full address of the registrar's bulk-check form
  --demo                 ask a simulated registrar (or, with --source registry, simulated
                         registries) started inside the program on loopback ports instead: a
                         name is free exactly when its first label ends in 7 (abc7.com, 7.cn);
                         the answers are not real
  --services FILE        with the registries: the services table to use instead of the one
                         shipped with the program (tab-separated: suffix, RDAP base URL, WHOIS
                         host[:port], query, not-found text)
  --parallel N           with the registries: lookups at once per RDAP server, 1 to 32
                         (default 4; WHOIS servers get one at a time, 200 ms apart)
  --unchecked FILE       with the registries: write the names no registry could be asked about,
                         each with its reason, to FILE (default: standard error)
  --proxy PROXY          send every request through [scheme://]host:port (http, https, socks5,
                         socks5h; WHOIS needs a SOCKS proxy), or "env" for the proxy environment
                         variables, which are otherwise ignored
  --ca-file PATH         an extra trusted CA certificate file for HTTPS
  --input-encoding auto|gbk|utf-8
                         how the list is read (default auto: a UTF-8 byte-order mark, or valid
                         UTF-8 holding a character of three or more bytes, means UTF-8; anything
                         else GBK); a line that is not valid in it, or holds a character GBK
                         cannot hold, is an error
  --suffixes LIST        every line without a suffix of its own (a bare word such as hello)
                         becomes one name per suffix, in the order given: com,net,cn; the
                         presets @cn (com, cn, com.cn, net, top, wang, vip, xyz) and @popular
                         (com, net, org, io, ai, co, app, dev) may be mixed in
  --prefix WORDS         with --suffixes: words put before each bare word (my,the)
  --suffix-word WORDS    with --suffixes: words put after each bare word (app,hq)
  --yes                  expand even when that gives more than 1,000,000 names
  --filter all|free|taken, --only all|free|taken
                         which names to write (default free); "all" adds ",是" or ",否"
  --format txt|csv|jsonl the form of the result lines (default from the output's extension:
                         .csv gives CSV with a header, .jsonl JSON Lines, anything else TXT);
                         JSON Lines are one UTF-8 object per name: {"name": ..., "free": ...,
                         "source": "registrar", "checked_at": ...}; from the registries also
                         "registry" (who answered), "registered" and "expires" (dates or null)
  --resume               with --output FILE: names already in FILE (in any of the formats) are
                         skipped and new results are appended; a cut-off last line is repaired
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
  --timeout SECONDS      give up on an exchange after this long without data (default 120);
                         no exchange lasts longer than ten times this; with the registries,
                         the longest one lookup may take (default 60)
  --exit-free            exit status 4 when no name is free (0 when at least one is)
  --help, --version

Exit status: 0 every name that could be checked was checked (names no registry can be asked
about are listed apart and do not change the status); 3 the run was stopped (refusal, failure or Ctrl-C; the
lines already written are complete); 2 usage error or unreadable input; 1 the output could not
be written; 4 (with --exit-free) every name was checked and none is free.
)";
}

}  // namespace yc::cli
