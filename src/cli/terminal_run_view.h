// The query run's view on the command line: the list comes from the input, each row's export
// line goes to the output as soon as the row exists, run events become progress, and the retry
// prompts follow the chosen policies.
#pragma once

#include <string_view>
#include <utility>

#include "cli/cli_options.h"
#include "cli/progress_meter.h"
#include "query/query_run_view.h"
#include "query/result_writer.h"

namespace yc::cli {

/// Where the results go.
struct ResultOutput {
    query::ResultWriter& writer;
    bool sharesProgressTerminal = false;         ///< the bar must come off before each result line
    TextEncoding encoding = TextEncoding::Utf8;  ///< of the results, and of the unchecked names
};

/// Writes each row to the output as it is appended; the rows need not be kept after that.
class RowStreamer final : public query::ReportRowsObserver {
  public:
    RowStreamer(const query::ReportRows& rows, const ResultOutput& out,
                const query::ExportFilter& filter, ProgressMeter& progress)
        : rows_(rows), out_(out), filter_(filter), progress_(progress) {}

    void rowAppended(std::size_t row) override;

  private:
    const query::ReportRows& rows_;
    ResultOutput out_;
    query::ExportFilter filter_;
    ProgressMeter& progress_;
};

class TerminalRunView final : public query::QueryRunView {
  public:
    /// A failed write to the output sets `stopRequested`: the run ends after its batch.
    /// `names` tells which lines hold a name, for the progress bar's total.
    TerminalRunView(Text list, const CliOptions& options, const ResultOutput& out,
                    ProgressMeter& progress, const query::BatchChecker& names, bool& stopRequested);

    /// Hands the list over: the run holds it from then on.
    Text listText() override { return std::exchange(list_, Text()); }
    void runStarted(std::string_view list, std::size_t total) override;
    void batchDone(const query::RunProgress& progress) override;
    void runStopping() override {}
    void runIdle() override { batchBoundary(); }
    query::ReportRows& rows() override { return rows_; }
    query::ExportFilter exportFilter() override { return options_.filter; }
    query::AutoSaveChoice autoSave() override { return {}; }
    bool retryAfterRefusal() override;
    bool retryAfterFailure() override;
    void autoSaveUnavailable(const Text&, const Text&) override {}
    void autoSaveIncomplete(const Text&, const Text&) override {}
    void namesUnchecked(query::UncheckedNames names) override;
    void runFinished() override;

    /// Names of the run that no one could be asked about.
    std::size_t uncheckedCount() const { return uncheckedCount_; }
    /// False when the --unchecked file could not be written.
    bool uncheckedWritten() const { return uncheckedWritten_; }

  private:
    struct RetryCause {
        RetryPolicy policy;
        const char* what;    ///< what went wrong, for the messages
        const char* option;  ///< the option that sets the policy
        double defaultWaitSeconds;
    };
    bool retry(const RetryCause& cause);
    /// Between batches: the lines so far are made durable and the progress shown.
    void batchBoundary();

    Text list_;
    const CliOptions& options_;
    query::ResultWriter& out_;
    TextEncoding encoding_;
    ProgressMeter& progress_;
    const query::BatchChecker& names_;
    bool& stopRequested_;
    query::ReportRows rows_;
    RowStreamer streamer_;
    int retriesInARow_ = 0;  ///< of the batch being sent
    std::size_t uncheckedCount_ = 0;
    bool uncheckedWritten_ = true;
};

}  // namespace yc::cli
