// The query run's view on the command line: the list comes from the input, each row's export
// line goes to the output as soon as the row exists, captions become progress, and the retry
// prompts follow the chosen policies.
#pragma once

#include "cli/cli_options.h"
#include "cli/progress_meter.h"
#include "query/query_run_view.h"
#include "query/result_file.h"

namespace yc::cli {

/// Where the results go and how.
struct ResultOutput {
    query::ResultFile& file;
    TextEncoding encoding;
    ResultFormat format = ResultFormat::Txt;
    bool sharesProgressTerminal = false;  ///< the bar must come off before each result line
};

/// Rows that write their export line to the output, in its encoding, as they are appended.
class StreamingRows final : public query::ReportRows {
  public:
    StreamingRows(const ResultOutput& out, const query::ExportFilter& filter,
                  ProgressMeter& progress)
        : out_(out), filter_(filter), progress_(progress) {}

    void clear() override { store_.clear(); }
    void append(std::string_view name, std::string_view state, int iconIndex,
                int stateImageIndex) override;
    void setCell(std::size_t row, int column, std::string_view text) override {
        store_.setCell(row, column, text);
    }
    void setIcons(std::size_t row, int iconIndex, int stateImageIndex) override {
        store_.setIcons(row, iconIndex, stateImageIndex);
    }
    std::size_t count() const override { return store_.count(); }
    std::string_view cell(std::size_t row, int column) const override {
        return store_.cell(row, column);
    }
    int iconIndex(std::size_t row) const override { return store_.iconIndex(row); }
    int stateImageIndex(std::size_t row) const override { return store_.stateImageIndex(row); }

  private:
    query::ReportRowStore store_;
    ResultOutput out_;
    query::ExportFilter filter_;
    ProgressMeter& progress_;
};

class TerminalRunView final : public query::QueryRunView {
  public:
    /// A failed write to the output sets `stopRequested`: the run ends after its batch.
    TerminalRunView(Text list, const CliOptions& options, const ResultOutput& out,
                    ProgressMeter& progress, bool& stopRequested);

    Text listText() override { return list_; }
    void runStarted(std::size_t total) override;
    Text startCaption() override { return caption_; }
    void setStartCaption(const Text& caption) override;
    query::ReportRows& rows() override { return rows_; }
    query::ExportFilter exportFilter() override { return options_.filter; }
    query::AutoSaveChoice autoSave() override { return {}; }
    bool retryAfterRefusal() override;
    bool retryAfterFailure() override;
    void autoSaveUnavailable(const Text&, const Text&) override {}
    void autoSaveIncomplete(const Text&, const Text&) override {}
    void runFinished() override;

  private:
    struct RetryCause {
        RetryPolicy policy;
        const char* what;    ///< what went wrong, for the messages
        const char* option;  ///< the option that sets the policy
        double defaultWaitSeconds;
    };
    bool retry(const RetryCause& cause);

    Text list_;
    const CliOptions& options_;
    query::ResultFile& out_;
    ProgressMeter& progress_;
    bool& stopRequested_;
    StreamingRows rows_;
    Text caption_;
    int retriesInARow_ = 0;  ///< of the batch being sent
};

}  // namespace yc::cli
