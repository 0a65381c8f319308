// The export line format shared by the save button and auto-save: which rows the filter keeps,
// the line form, and the CSV header.
#pragma once

#include <optional>
#include <string_view>

#include "query/report_rows.h"
#include "text/gbk_text.h"

namespace yc::query {

/// The checked states of the three export radio buttons, read at the moment a line is written.
struct ExportFilter {
    bool all = false;    ///< 单选框全部: every row, with its state
    bool free = false;   ///< 单选框未注册: free rows only
    bool taken = false;  ///< 单选框已注册: taken rows only
};

/// The part of the file name after its last ".", without the dot; empty when there is none.
Text FileExtension(std::string_view path);

/// True when the path's extension, lower-cased, is "csv".
bool IsCsvPath(std::string_view path);

/// The CSV header line "域名,未注册" with its CR LF.
const Text& CsvHeaderLine();

/// The export line of `row` under `filter`, or an empty text when the filter skips the row.
/// With no row, the CSV header.
Text ResultLine(const ReportRows& rows, std::optional<std::size_t> row, const ExportFilter& filter);

}  // namespace yc::query
