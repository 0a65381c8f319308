// What a query run needs from the front end that drives it (the main window or the command line),
// and the events it tells it of: the list, the run's progress, the report rows, the export filter,
// auto-save and prompts.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "query/batch_check.h"
#include "query/report_rows.h"
#include "query/result_export.h"
#include "text/gbk_text.h"

namespace yc::query {

/// How far a run has come: of the list's `total` lines, `done` names have an answer.
struct RunProgress {
    std::size_t total = 0;
    std::size_t done = 0;
};

struct AutoSaveChoice {
    bool enabled = false;
    Text path;  ///< already resolved: the default file when the user chose none
};

class QueryRunView {
  public:
    virtual ~QueryRunView() = default;

    /// The entered domain list (empty when none was entered).
    virtual Text listText() = 0;
    /// The clipboard's text, which the run checks when no list was entered; none when the front
    /// end has no clipboard.
    virtual std::optional<Text> clipboardText() { return std::nullopt; }

    /// The run starts on `list`: it goes over the `total` lines DomainListLines reads from it
    /// (empty ones included), each cut down to its name only when the run reaches it.
    virtual void runStarted(std::string_view list, std::size_t total) = 0;
    /// A batch has gone through and its rows are listed.
    virtual void batchDone(const RunProgress& progress) = 0;
    /// A stop was asked for (a click, a close, Ctrl-C); the exchange in flight is ending.
    virtual void runStopping() = 0;
    /// The run sends nothing more; what follows is its report (namesUnchecked, runFinished).
    virtual void runIdle() = 0;

    virtual ReportRows& rows() = 0;
    virtual ExportFilter exportFilter() = 0;
    virtual AutoSaveChoice autoSave() = 0;

    /// The registrar refused the batch: true sends the same batch again, false ends the run.
    virtual bool retryAfterRefusal() = 0;
    /// The transfer failed: true sends the same batch again, false ends the run.
    virtual bool retryAfterFailure() = 0;
    /// The auto-save file could not be opened; the run goes on without it.
    virtual void autoSaveUnavailable(const Text& path, const Text& reason) = 0;
    /// Writing the auto-save file failed during the run: the file misses rows.
    virtual void autoSaveIncomplete(const Text& path, const Text& reason) = 0;
    /// Just before the run ends: names of the list that could not be checked and got no row.
    virtual void namesUnchecked(UncheckedNames /*names*/) {}
    /// The run has ended, finished or stopped.
    virtual void runFinished() = 0;
};

}  // namespace yc::query
