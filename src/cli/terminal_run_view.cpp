// The command line's run view: rows streamed to the output, run events turned into progress,
// retries.
#include "cli/terminal_run_view.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

#include "cli/interrupt_pump.h"
#include "cli/output_encoding.h"
#include "query/domain_list.h"
#include "query/query_run.h"
#include "text/system_path.h"

namespace yc::cli {
namespace {

/// Pauses before the first retry of a batch; each further retry in a row waits twice as long.
constexpr double kRefusalWaitSeconds = 60;
constexpr double kFailureWaitSeconds = 5;
constexpr double kLongestWaitSeconds = 15 * 60;

// Asks on the terminal itself: standard input may be the list. None when there is no terminal.
std::optional<bool> askOnTerminal(const char* what) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) {
        return std::nullopt;
    }
    std::fprintf(tty, "\n%s. Send the same batch again? [y/N] ", what);
    std::fflush(tty);
    char answer[16] = {};
    const bool yes =
        std::fgets(answer, sizeof answer, tty) != nullptr && (answer[0] == 'y' || answer[0] == 'Y');
    std::fclose(tty);
    return yes;
}

// Sleeps in short steps so that Ctrl-C ends the wait.
bool waitUninterrupted(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (InterruptPump::interrupted()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return !InterruptPump::interrupted();
}

}  // namespace

void RowStreamer::rowAppended(std::size_t row) {
    if (out_.sharesProgressTerminal) {
        progress_.clear();
    }
    out_.writer.writeRow(rows_, row, filter_);
}

TerminalRunView::TerminalRunView(Text list, const CliOptions& options, const ResultOutput& out,
                                 ProgressMeter& progress, const query::BatchChecker& names,
                                 bool& stopRequested)
    : list_(std::move(list)),
      options_(options),
      out_(out.writer),
      encoding_(out.encoding),
      progress_(progress),
      names_(names),
      stopRequested_(stopRequested),
      streamer_(rows_, out, options.filter, progress) {
    rows_.setObserver(&streamer_);
    // Each row is on its way to the output once appended; only the counts are needed after.
    rows_.setKeepRows(false);
}

void TerminalRunView::runStarted(std::string_view list, std::size_t /*total*/) {
    // The bar counts names: the lines that are left empty once cut down are never sent.
    std::size_t names = 0;
    query::DomainListLines lines(list);
    for (std::string_view line; lines.next(line);) {
        names += names_.holdsName(line) ? 1 : 0;
    }
    progress_.start(names);
    batchBoundary();
}

void TerminalRunView::batchDone(const query::RunProgress& /*progress*/) {
    batchBoundary();
}

void TerminalRunView::batchBoundary() {
    // A batch has gone through (or the run is over): the next refusal or failure starts a new
    // series of retries.
    retriesInARow_ = 0;
    // Its lines are made durable before the next batch.
    if (!out_.flush()) {
        stopRequested_ = true;
    }
    progress_.update(rows_.count());
}

bool TerminalRunView::retry(const RetryCause& cause) {
    if (InterruptPump::interrupted()) {
        return false;
    }
    progress_.clear();
    if (const std::string problem = names_.problem(); !problem.empty()) {
        std::fprintf(stderr, "yuchaling-cli: %s\n", problem.c_str());
    }
    switch (cause.policy) {
        case RetryPolicy::Ask: {
            const std::optional<bool> yes = askOnTerminal(cause.what);
            if (!yes) {
                std::fprintf(stderr, "%s; stopping: there is no terminal to ask on (%s chooses)\n",
                             cause.what, cause.option);
            }
            return yes.value_or(false);
        }
        case RetryPolicy::Retry: {
            if (retriesInARow_ >= options_.maxRetries) {
                std::fprintf(stderr, "%s; stopping after %d retries in a row\n", cause.what,
                             retriesInARow_);
                return false;
            }
            const double wait =
                std::min(options_.retryWaitSeconds.value_or(cause.defaultWaitSeconds) *
                             std::pow(2.0, retriesInARow_),
                         kLongestWaitSeconds);
            ++retriesInARow_;
            std::fprintf(stderr, "%s; retry %d of %d in %g s\n", cause.what, retriesInARow_,
                         options_.maxRetries, wait);
            return waitUninterrupted(wait);
        }
        case RetryPolicy::Stop:
            std::fprintf(stderr, "%s; stopping\n", cause.what);
            return false;
    }
    return false;
}

bool TerminalRunView::retryAfterRefusal() {
    const bool registries = options_.source == registry::AnswerSource::Registry;
    return retry({options_.onLimit,
                  registries ? "A registry limits us (too many queries)"
                             : "The registrar refused the batch (too many queries)",
                  "--on-limit", kRefusalWaitSeconds});
}

bool TerminalRunView::retryAfterFailure() {
    const bool registries = options_.source == registry::AnswerSource::Registry;
    return retry({options_.onFailure,
                  registries ? "A registry lookup failed (no connection, time-out or no clear "
                               "answer)"
                             : "The exchange failed (no connection, time-out or HTTP error)",
                  "--on-failure", kFailureWaitSeconds});
}

void TerminalRunView::namesUnchecked(query::UncheckedNames names) {
    uncheckedCount_ = names.size();
    progress_.clear();
    std::FILE* file = options_.unchecked.empty()
                          ? stderr
                          : std::fopen(text::toSystemPath(options_.unchecked).c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "yuchaling-cli: cannot write %s: %s\n", options_.unchecked.c_str(),
                     std::strerror(errno));
        uncheckedWritten_ = false;
        return;
    }
    const TextEncoding encoding =
        file == stderr && isatty(STDERR_FILENO) != 0 ? terminalEncoding() : encoding_;
    for (const query::UncheckedName& name : names) {
        const std::string line =
            file == stderr ? "yuchaling-cli: not checked: " + name.name + " (" + name.reason + ")\n"
                           : name.name + "\t" + name.reason + "\n";
        std::fputs(encodeOutput(line, encoding).c_str(), file);
    }
    if (file != stderr && (std::fclose(file) != 0)) {
        std::fprintf(stderr, "yuchaling-cli: cannot write %s\n", options_.unchecked.c_str());
        uncheckedWritten_ = false;
    }
}

void TerminalRunView::runFinished() {
    out_.flush();
}

}  // namespace yc::cli
