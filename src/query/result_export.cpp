// The export filter, the export line and the CSV header.
#include "query/result_export.h"

#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::query {

Text FileExtension(std::string_view path) {
    const std::size_t separator = text::rfind(path, "\\");
    const std::size_t slash = text::rfind(path, "/");
    // Both separators count: paths typed on this system use "/", stored ones may use "\".
    std::size_t nameStart = 0;
    if (separator != text::npos) {
        nameStart = separator + 1;
    }
    if (slash != text::npos && slash + 1 > nameStart) {
        nameStart = slash + 1;
    }
    const std::string_view name = path.substr(nameStart);
    const std::size_t dot = text::rfind(name, ".");
    return dot == text::npos ? Text() : Text(name.substr(dot + 1));
}

bool IsCsvPath(std::string_view path) {
    return text::asciiLower(FileExtension(path)) == "csv";
}

const Text& CsvHeaderLine() {
    return YC_GBK("域名,未注册\r\n");
}

Text ResultLine(const ReportRows& rows, std::optional<std::size_t> row,
                const ExportFilter& filter) {
    if (!row) {
        return CsvHeaderLine();
    }
    const int icon = rows.iconIndex(*row);
    if (filter.free && icon == kIconTaken) {
        return {};
    }
    if (filter.taken && icon == kIconFree) {
        return {};
    }
    Text line(rows.cell(*row, kColumnName));
    if (filter.all) {
        line.append(",").append(rows.cell(*row, kColumnState));
    }
    return line.append("\r\n");
}

}  // namespace yc::query
