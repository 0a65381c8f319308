#include "cli/terminal_run_view.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/interrupt_pump.h"
#include "cli/output_encoding.h"
#include "query/domain_list.h"
#include "query/query_run.h"

namespace yc::cli {
namespace {

// Asks on the terminal itself: standard input may be the list.
bool askOnTerminal(const char* what) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) {
        return false;
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

void StreamingRows::append(std::string_view name, std::string_view state, int iconIndex,
                           int stateImageIndex) {
    store_.append(name, state, iconIndex, stateImageIndex);
    if (out_.sharesProgressTerminal) {
        progress_.clear();
    }
    out_.file.write(
        encodeOutput(query::ResultLine(store_, store_.count() - 1, filter_), out_.encoding));
}

TerminalRunView::TerminalRunView(Text list, const CliOptions& options, const ResultOutput& out,
                                 ProgressMeter& progress, bool& stopRequested)
    : list_(std::move(list)),
      options_(options),
      out_(out.file),
      progress_(progress),
      stopRequested_(stopRequested),
      rows_(out, options.filter, progress),
      caption_(query::QueryRun::idleCaption()) {}

void TerminalRunView::runStarted(std::size_t /*lines*/) {
    // The bar counts names: the lines that are left empty once cut down are never sent.
    std::size_t names = 0;
    for (const Text& line : query::SplitDomainList(list_)) {
        names += query::NormaliseDomainLine(line).empty() ? 0 : 1;
    }
    progress_.start(names);
}

void TerminalRunView::setStartCaption(const Text& caption) {
    caption_ = caption;
    // Each caption change follows a batch: its lines are made durable before the next one.
    if (!out_.flush()) {
        stopRequested_ = true;
    }
    progress_.update(rows_.count());
}

bool TerminalRunView::retry(RetryPolicy policy, const char* what) {
    if (InterruptPump::interrupted()) {
        return false;
    }
    progress_.clear();
    switch (policy) {
        case RetryPolicy::Ask:
            return askOnTerminal(what);
        case RetryPolicy::Retry:
            std::fprintf(stderr, "%s; retrying\n", what);
            return waitUninterrupted(options_.retryWaitSeconds);
        case RetryPolicy::Stop:
            std::fprintf(stderr, "%s; stopping\n", what);
            return false;
    }
    return false;
}

bool TerminalRunView::retryAfterRefusal() {
    return retry(options_.onLimit, "The registrar refused the batch (too many queries)");
}

bool TerminalRunView::retryAfterFailure() {
    return retry(options_.onFailure, "The exchange failed (no connection, time-out or HTTP error)");
}

void TerminalRunView::runFinished() {
    out_.flush();
}

}  // namespace yc::cli
