// The query run: batches of 50 through the checker, retries, stop requests, rows and auto-save.
#include "query/query_run.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>

#include "host/event_pump.h"
#include "query/domain_list.h"
#include "text/charset.h"

namespace yc::query {
namespace {

// Clears a flag on scope exit, however the run unwinds.
class RunningGuard {
  public:
    explicit RunningGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningGuard() { flag_ = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

  private:
    bool& flag_;
};

// What a row shows for a name the registrar did or did not offer: its state text, and the icon
// (and state image) that export filters on.
struct RowState {
    const Text& text;
    int icon;
};

RowState rowState(bool free) {
    return free ? RowState{YC_GBK("是"), kIconFree} : RowState{YC_GBK("否"), kIconTaken};
}

std::unordered_set<Text> namesOf(const UncheckedNames& unchecked) {
    std::unordered_set<Text> names;
    for (const UncheckedName& entry : unchecked) {
        names.insert(entry.name);
    }
    return names;
}

}  // namespace

QueryRun::QueryRun(QueryRunView& view, BatchChecker& checker, bool& stopRequested)
    : view_(view), checker_(checker), stopRequested_(stopRequested) {
    checker_.watchStopFlag(&stopRequested_);
}

void QueryRun::onStartClicked() {
    if (sending_) {
        requestStop();
        return;
    }
    // A click while a run prepares (a message box may be up before it starts sending) is neither
    // a start nor a stop: a second run must never begin inside the first.
    if (!running_) {
        run();
    }
}

void QueryRun::requestStop() {
    if (running_) {
        stopRequested_ = true;
        view_.runStopping();
    }
}

void QueryRun::openAutoSave() {
    autoSaveFile_.reset();
    const AutoSaveChoice choice = view_.autoSave();
    if (!choice.enabled) {
        return;
    }
    autoSavePath_ = choice.path;
    // Each row reaches the file as it is listed, so a crash loses no listed row and leaves no
    // cut-off line.
    autoSaveFile_.emplace(std::string_view(choice.path), ExportForm(choice.path, true));
    if (!autoSaveFile_->isOpen()) {
        const Text reason = autoSaveFile_->error();
        autoSaveFile_.reset();
        view_.autoSaveUnavailable(choice.path, reason);
        return;
    }
    autoSaveFile_->writeHeader();
}

void QueryRun::run() {
    unchecked_.clear();
    runLines();
    if (!unchecked_.empty()) {
        view_.namesUnchecked(std::exchange(unchecked_, {}));
    }
    // The run counts as ended before the view reports it: a close asked for while "查询完成！" is
    // up must not be held back for a run that is over.
    view_.runFinished();
}

void QueryRun::runLines() {
    RunningGuard guard(running_);
    Text listText = view_.listText();
    if (listText.empty()) {
        listText = view_.clipboardText().value_or(Text());
    }
    DomainListLines lines(listText);
    RunProgress progress{lines.remaining(), 0};
    view_.rows().clear();
    openAutoSave();
    stopRequested_ = false;
    sending_ = true;
    view_.runStarted(listText, progress.total);

    batch_.clear();
    for (std::string_view line; lines.next(line);) {
        if (stopRequested_) {
            break;
        }
        host::processPendingEvents();
        Text name = checker_.nameOf(line);
        const bool last = lines.atEnd();
        if (last) {
            // Read to its end, a long list need not stay through the last exchange.
            Text().swap(listText);
        }
        // An empty last line still joins a pending batch, so the batch ends with an empty line.
        if (name.empty() && !(last && !batch_.empty())) {
            continue;
        }
        batch_.push_back(std::move(name));
        if ((batch_.size() >= static_cast<std::size_t>(kBatchSize) || last) &&
            !runBatch(progress)) {
            break;
        }
    }

    if (autoSaveFile_) {
        // A file that lost rows must not pass for a complete record of the run.
        if (!autoSaveFile_->close()) {
            view_.autoSaveIncomplete(autoSavePath_, autoSaveFile_->error());
        }
        autoSaveFile_.reset();
    }
    sending_ = false;
    view_.runIdle();
}

bool QueryRun::exchange(const Batch& batch, FreeNames& free) {
    for (;;) {
        const BatchOutcome outcome = checker_.CheckBatch(batch, free);
        if (outcome == BatchOutcome::Accepted) {
            break;
        }
        free.clear();
        // A stop that cut the exchange short leaves nothing to ask about.
        if (outcome == BatchOutcome::Failed && stopRequested_) {
            break;
        }
        const bool retry = outcome == BatchOutcome::Refused ? view_.retryAfterRefusal()
                                                            : view_.retryAfterFailure();
        if (!retry) {
            stopRequested_ = true;
            break;
        }
    }
    // A stop asked for during the exchange drops the batch's answer.
    return !stopRequested_;
}

void QueryRun::recheckRows(const std::vector<std::size_t>& selected) {
    if (running_) {
        return;
    }
    {
        RunningGuard guard(running_);
        stopRequested_ = false;
        ReportRows& rows = view_.rows();
        for (std::size_t first = 0; first < selected.size(); first += kBatchSize) {
            const std::size_t end = std::min(first + kBatchSize, selected.size());
            Batch batch;
            for (std::size_t i = first; i < end; ++i) {
                batch.emplace_back(rows.cell(selected[i], kColumnName));
            }
            FreeNames freeNames;
            if (!exchange(batch, freeNames)) {
                break;
            }
            // A listed name that cannot be asked about now keeps the answer it had.
            const std::unordered_set<Text> unchecked = namesOf(checker_.takeUnchecked());
            for (std::size_t i = first; i < end; ++i) {
                if (unchecked.contains(batch[i - first])) {
                    continue;
                }
                const std::size_t row = selected[i];
                const RowState state = rowState(freeNames.contains(batch[i - first]));
                rows.setCell(row, kColumnState, state.text);
                rows.setIcons(row, state.icon, state.icon);
            }
        }
    }
    view_.runFinished();
}

bool QueryRun::runBatch(RunProgress& progress) {
    FreeNames freeNames;
    if (!exchange(batch_, freeNames)) {
        return false;
    }

    UncheckedNames unchecked = checker_.takeUnchecked();
    const std::unordered_set<Text> uncheckedNames = namesOf(unchecked);
    std::move(unchecked.begin(), unchecked.end(), std::back_inserter(unchecked_));

    ReportRows& rows = view_.rows();
    for (const Text& name : batch_) {
        if (name.empty() || uncheckedNames.contains(name)) {
            continue;
        }
        const RowState state = rowState(freeNames.contains(name));
        rows.append(name, state.text, state.icon, state.icon);
        if (autoSaveFile_) {
            autoSaveFile_->writeRow(rows, rows.count() - 1, view_.exportFilter());
        }
    }
    batch_.clear();
    progress.done = rows.count() + unchecked_.size();
    view_.batchDone(progress);
    return true;
}

}  // namespace yc::query
