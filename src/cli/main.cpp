// yuchaling-cli: the query run without a window, for long lists and scripts.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <span>

#include "cli/cli_options.h"
#include "cli/interrupt_pump.h"
#include "cli/list_input.h"
#include "cli/output_encoding.h"
#include "cli/progress_meter.h"
#include "cli/result_lines.h"
#include "cli/resume_file.h"
#include "cli/terminal_run_view.h"
#include "demo_registrar.h"
#include "host/program_files.h"
#include "http/ca_file_check.h"
#include "http/proxy_setting.h"
#include "http/request_worker.h"
#include "query/bulk_check.h"
#include "query/name_expansion.h"
#include "query/query_run.h"
#include "query/result_writer.h"
#include "registry/registry_source.h"
#include "registry/whois_lookups.h"
#include "text/system_path.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 3;
constexpr int kExitNoneFree = 4;

int usageError(const std::string& message) {
    std::fprintf(stderr, "yuchaling-cli: %s\n", message.c_str());
    return kExitUsage;
}

bool sameTerminal(int a, int b) {
    struct stat first {};
    struct stat second {};
    return isatty(a) != 0 && isatty(b) != 0 && fstat(a, &first) == 0 && fstat(b, &second) == 0 &&
           first.st_rdev == second.st_rdev;
}

// The input's bytes go as soon as they are decoded: a long list is held once.
std::optional<yc::cli::ListText> readList(const yc::cli::CliOptions& options, std::string& error) {
    const std::optional<std::string> bytes = yc::cli::readInputBytes(options.input, error);
    if (!bytes) {
        return std::nullopt;
    }
    return yc::cli::decodeList(*bytes, options.inputEncoding, error);
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace yc;
    const cli::ParsedOptions parsed = cli::parseCliOptions(
        std::span<char* const>(argv, static_cast<std::size_t>(argc)), isatty(STDIN_FILENO) != 0);
    if (!parsed.options) {
        return usageError(parsed.error + " (see --help)");
    }
    const cli::CliOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(cli::cliUsage().c_str(), stdout);
        return kExitDone;
    }
    if (options.version) {
        std::printf("yuchaling-cli %s\n", YC_VERSION);
        return kExitDone;
    }

    if (!options.caFile.empty()) {
        if (const std::string problem = http::CaFileProblem(options.caFile); !problem.empty()) {
            return usageError("--ca-file " + options.caFile + ": " + problem);
        }
        http::setExtraCaFile(options.caFile);
    }

    if (const std::string problem = http::proxySettingProblem(options.proxy); !problem.empty()) {
        return usageError("--proxy " + options.proxy + ": " + problem);
    }

    // The demo registrar serves on its own threads for as long as the run needs it.
    std::optional<sim::DemoRegistrar> demo;
    std::string registrar = options.registrar;
    const bool registrySource = options.source == registry::AnswerSource::Registry;
    if (options.demo) {
        demo.emplace();
        if (!demo->start()) {
            std::fputs("yuchaling-cli: cannot start the demo registrar (no loopback port)\n",
                       stderr);
            return kExitStopped;
        }
        registrar = demo->endpoint();
        std::fputs(
            "yuchaling-cli: demo mode: the answers come from a local simulation and are not "
            "real (a name is free exactly when its first label ends in 7)\n",
            stderr);
    }
    std::unique_ptr<query::BatchChecker> checker;
    if (registrySource) {
        registry::RegistrySourceSettings settings;
        if (demo) {
            settings.servicesText = demo->servicesTable();
        }
        settings.servicesFile = options.services;
        settings.bundledFile =
            host::bundledFile(host::programFolder(), registry::kServicesFileName);
        settings.parallel = options.parallel.value_or(registry::kDefaultParallel);
        settings.proxy = options.proxy;
        settings.cacheFolder = host::userCacheFolder();
        settings.timeoutMs = static_cast<long>(options.timeoutSeconds * 1000);
        registry::RegistrySource source = registry::openRegistrySource(settings);
        if (!source.checker) {
            return usageError(source.error);
        }
        checker = std::move(source.checker);
        if (const std::string problem = registry::whoisProxyProblem(options.proxy);
            !problem.empty()) {
            std::fprintf(stderr,
                         "yuchaling-cli: %s; names whose registry has only WHOIS stay unchecked\n",
                         problem.c_str());
        }
    } else {
        auto exchange = std::make_unique<query::RegistrarExchange>(
            registrar, static_cast<float>(options.timeoutSeconds));
        exchange->setProxy(options.proxy);
        checker = std::move(exchange);
    }

    std::string error;
    std::optional<cli::ListText> list = readList(options, error);
    if (!list) {
        return usageError(error);
    }
    if (list->guessed) {
        std::fprintf(stderr, "yuchaling-cli: reading the list as %s (--input-encoding chooses)\n",
                     list->encodingName);
    }
    if (!options.expansion.suffixes.empty()) {
        const std::size_t count = query::ExpandedLineCount(list->gbk, options.expansion);
        if (count > query::kLargeExpansion && !options.allowLargeExpansion) {
            return usageError("the expansion gives " + std::to_string(count) +
                              " names; add --yes to check them all");
        }
        list->gbk = query::ExpandNames(list->gbk, options.expansion);
    }
    bool resumedFile = false;
    std::size_t skipped = 0;
    if (options.resume) {
        const std::optional<cli::ResumePoint> point = cli::readResumePoint(options.output, error);
        if (!point) {
            return usageError(error);
        }
        skipped = cli::dropCheckedNames(list->gbk, point->names, *checker);
        resumedFile = point->hasLines;
    }

    const bool toTerminal = options.output.empty() && isatty(STDOUT_FILENO) != 0;
    const cli::TextEncoding outputEncoding =
        options.outputEncoding.value_or(toTerminal ? cli::terminalEncoding() : list->family);
    const cli::ResultFormat format = options.format.value_or(cli::formatOfPath(options.output));
    query::ResultForm form = cli::resultForm(format, outputEncoding, *options.source, *checker);
    query::ResultWriter out =
        options.output.empty()
            ? query::ResultWriter(stdout, std::move(form))
            : query::ResultWriter(text::fromSystemPath(options.output), std::move(form),
                                  options.resume ? query::ResultFile::Mode::Append
                                                 : query::ResultFile::Mode::Replace);
    if (!out.isOpen()) {
        std::fprintf(stderr, "yuchaling-cli: cannot open %s: %s\n", options.output.c_str(),
                     out.error().c_str());
        return kExitOutputFailed;
    }
    if (!resumedFile) {
        out.writeHeader();
    }

    bool stopRequested = false;
    cli::InterruptPump pump(stopRequested);
    cli::ProgressMeter progress(stderr, isatty(STDERR_FILENO) != 0);
    const cli::ResultOutput results{out, toTerminal && sameTerminal(STDOUT_FILENO, STDERR_FILENO),
                                    outputEncoding};
    cli::TerminalRunView view(std::move(list->gbk), options, results, progress, *checker,
                              stopRequested);
    query::QueryRun run(view, *checker, stopRequested);
    run.onStartClicked();

    const bool written = out.close();
    cli::RunTally tally{view.rows().count(), view.rows().freeCount()};
    tally.skipped = skipped;
    tally.unchecked = view.uncheckedCount();
    progress.finish(tally, stopRequested);
    if (!written || !view.uncheckedWritten()) {
        if (!written) {
            std::fprintf(stderr, "yuchaling-cli: cannot write the results: %s\n",
                         out.error().c_str());
        }
        return kExitOutputFailed;
    }
    if (stopRequested) {
        return kExitStopped;
    }
    return options.exitFree && tally.free == 0 ? kExitNoneFree : kExitDone;
}
