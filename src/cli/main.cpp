// yuchaling-cli: the query run without a window, for long lists and scripts.
#include <unistd.h>

#include <cstdio>
#include <span>

#include "cli/cli_options.h"
#include "cli/interrupt_pump.h"
#include "cli/list_input.h"
#include "cli/progress_meter.h"
#include "cli/terminal_run_view.h"
#include "http/ca_file_check.h"
#include "http/request_worker.h"
#include "query/bulk_check.h"
#include "query/query_run.h"
#include "query/result_file.h"
#include "text/system_path.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 3;

int usageError(const std::string& message) {
    std::fprintf(stderr, "yuchaling-cli: %s\n", message.c_str());
    return kExitUsage;
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
        std::puts("yuchaling-cli 1.0.3.0");
        return kExitDone;
    }

    if (!options.caFile.empty()) {
        if (const std::string problem = http::CaFileProblem(options.caFile); !problem.empty()) {
            return usageError("--ca-file " + options.caFile + ": " + problem);
        }
        http::setExtraCaFile(options.caFile);
    }

    std::string error;
    const auto bytes = cli::readInputBytes(options.input, error);
    if (!bytes) {
        return usageError(error);
    }
    Text list = cli::listTextFromBytes(*bytes);

    query::ResultFile out = options.output.empty()
                                ? query::ResultFile(stdout)
                                : query::ResultFile(text::fromSystemPath(options.output));
    if (!out.isOpen()) {
        return usageError("cannot open " + options.output + ": " + out.error());
    }
    if (query::IsCsvPath(options.output)) {
        out.write(query::CsvHeaderLine());
    }

    bool stopRequested = false;
    cli::InterruptPump pump(stopRequested);
    cli::ProgressMeter progress(stderr, isatty(STDERR_FILENO) != 0);
    query::RegistrarExchange exchange(options.registrar,
                                      static_cast<float>(options.timeoutSeconds));
    cli::TerminalRunView view(std::move(list), options, out, progress, stopRequested);
    query::QueryRun run(view, exchange, stopRequested);
    run.onStartClicked();

    const bool written = out.close();
    progress.finish(view.rows().count(), stopRequested);
    if (!written) {
        std::fprintf(stderr, "yuchaling-cli: cannot write the results: %s\n", out.error().c_str());
        return kExitOutputFailed;
    }
    return stopRequested ? kExitStopped : kExitDone;
}
