// The start button's handler: a query run over the entered list in batches of 50, or, when a
// run is already going, a request to stop it. Runs on the window thread; nested calls arrive
// through event processing.
#pragma once

#include <optional>
#include <vector>

#include "query/batch_check.h"
#include "query/query_run_view.h"
#include "query/result_writer.h"

namespace yc::query {

inline constexpr int kBatchSize = 50;

class QueryRun {
  public:
    /// `stopRequested` is the program-wide flag shared by the outer run and nested stop clicks.
    QueryRun(QueryRunView& view, BatchChecker& checker, bool& stopRequested);

    /// The click handler of the start button.
    void onStartClicked();
    /// Checks the names of the given rows again, 50 to an exchange with the run's prompts, and
    /// updates their states. Does nothing while a run is going.
    void recheckRows(const std::vector<std::size_t>& rows);
    /// Asks the run (or recheck) going on to stop; the exchange in flight ends at once. Nothing
    /// when none is going.
    void requestStop();
    /// True from the start of a run (or a recheck) until it has unwound.
    bool running() const { return running_; }

  private:
    void run();
    /// The run up to its end, while it counts as running.
    void runLines();
    /// One exchange with its retry prompts; false when the run must stop (the answer is dropped).
    bool exchange(const Batch& batch, FreeNames& free);
    /// Sends the pending batch and lists its names; false when the run must stop.
    bool runBatch(RunProgress& progress);
    void openAutoSave();

    QueryRunView& view_;
    BatchChecker& checker_;
    bool& stopRequested_;
    bool running_ = false;
    /// From the run's start event to its idle event: a click then asks it to stop.
    bool sending_ = false;
    Batch batch_;
    /// The names of this run that no one could be asked about, in list order.
    UncheckedNames unchecked_;
    std::optional<ResultWriter> autoSaveFile_;
    Text autoSavePath_;
};

}  // namespace yc::query
