#include "query/query_run.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_set>

#include "host/desktop.h"
#include "host/event_pump.h"
#include "query/domain_list.h"
#include "text/charset.h"

namespace yc::query {
namespace {

Text decimal(std::size_t n) {
    return std::to_string(n);
}

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

const Text& QueryRun::idleCaption() {
    return YC_GBK("开始查询");
}

void QueryRun::onStartClicked() {
    // A click while a run prepares (a message box may be up before the first caption is set) is
    // neither a start nor a stop: a second run must never begin inside the first.
    if (running_ && view_.startCaption() == idleCaption()) {
        return;
    }
    if (view_.startCaption() != idleCaption()) {
        stopRequested_ = true;
        view_.setStartCaption(YC_GBK("正在停止.."));
        return;
    }
    run();
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
        view_.namesUnchecked(unchecked_);
        unchecked_ = UncheckedNames();
    }
    // The run counts as ended before the view reports it: a close asked for while "查询完成！" is
    // up must not be held back for a run that is over.
    view_.runFinished();
}

void QueryRun::runLines() {
    RunningGuard guard(running_);
    Text listText = view_.listText();
    if (listText.empty()) {
        listText = host::desktop().clipboardText().value_or(Text());
    }
    DomainListLines lines(listText);
    const std::size_t total = lines.remaining();
    view_.rows().clear();
    openAutoSave();
    stopRequested_ = false;
    view_.runStarted(listText);
    view_.setStartCaption(YC_GBK("请稍候。本次查询 ") + decimal(total) + YC_GBK(" 个域名"));

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
        if ((batch_.size() >= static_cast<std::size_t>(kBatchSize) || last) && !runBatch(total)) {
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
    view_.setStartCaption(idleCaption());
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
    if (running_ || view_.startCaption() != idleCaption()) {
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

bool QueryRun::runBatch(std::size_t total) {
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
    view_.setStartCaption(YC_GBK("停止查询\r\n总 ") + decimal(total) + YC_GBK(" 个，已查 ") +
                          decimal(rows.count() + unchecked_.size()) + YC_GBK(" 个"));
    return true;
}

}  // namespace yc::query
