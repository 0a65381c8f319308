// The line the command line writes for a result row, in the chosen form: the export's line (TXT
// or CSV) in the output's encoding, or a JSON object in UTF-8 for scripts.
#pragma once

#include <cstddef>
#include <string>

#include "cli/cli_options.h"
#include "query/batch_check.h"
#include "query/report_rows.h"
#include "query/result_writer.h"

namespace yc::cli {

/// How result lines are written.
struct LineForm {
    ResultFormat format;
    TextEncoding encoding;
    registry::AnswerSource source;
    /// Asked for what the registries said about a name, for the JSON Lines' extra fields.
    const query::BatchChecker& checker;
};

/// The line of `row`, with its line end; empty when the filter skips the row.
std::string resultLine(const query::ReportRows& rows, std::size_t row,
                       const query::ExportFilter& filter, const LineForm& form);

/// How the command line writes its results: a CSV header in the output's encoding for CSV, then
/// the line of each row as resultLine() gives it.
query::ResultForm resultForm(ResultFormat format, TextEncoding encoding,
                             registry::AnswerSource source, const query::BatchChecker& checker);

/// The form a path asks for: ".csv" CSV, ".jsonl" JSON Lines, anything else TXT.
ResultFormat formatOfPath(std::string_view path);

}  // namespace yc::cli
