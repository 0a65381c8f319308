// What a query run needs from the front end that drives it (the main window or the command line):
// the list, the start button's caption, the report rows, the export filter, auto-save and prompts.
#pragma once

#include <string_view>

#include "query/batch_check.h"
#include "query/report_rows.h"
#include "query/result_export.h"
#include "text/gbk_text.h"

namespace yc::query {

struct AutoSaveChoice {
    bool enabled = false;
    Text path;  ///< already resolved: the default file when the user chose none
};

class QueryRunView {
  public:
    virtual ~QueryRunView() = default;

    /// The entered domain list (empty when none was entered).
    virtual Text listText() = 0;
    /// The run starts on `list`: it goes over the lines DomainListLines reads from it (empty ones
    /// included), each cut down to its name only when the run reaches it.
    virtual void runStarted(std::string_view /*list*/) {}
    virtual Text startCaption() = 0;
    virtual void setStartCaption(const Text& caption) = 0;
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
    virtual void namesUnchecked(const UncheckedNames& /*names*/) {}
    /// The run has ended, finished or stopped.
    virtual void runFinished() = 0;
};

}  // namespace yc::query
