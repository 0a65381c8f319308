// The line the command line writes for a result row, in the chosen form: the export's line (TXT
// or CSV) in the output's encoding, or a JSON object in UTF-8 for scripts.
#pragma once

#include <cstddef>
#include <string>

#include "cli/cli_options.h"
#include "query/report_rows.h"

namespace yc::cli {

/// The line of `row`, with its line end; empty when the filter skips the row.
std::string resultLine(const query::ReportRows& rows, std::size_t row,
                       const query::ExportFilter& filter, ResultFormat format,
                       TextEncoding encoding);

/// The form a path asks for: ".csv" CSV, ".jsonl" JSON Lines, anything else TXT.
ResultFormat formatOfPath(std::string_view path);

}  // namespace yc::cli
