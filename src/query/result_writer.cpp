// The result writer: the header, the rows under the filter, and the flushing the form asks for.
#include "query/result_writer.h"

#include <utility>

namespace yc::query {

ResultForm ExportForm(std::string_view gbkPath, bool flushEachRow) {
    ResultForm form;
    if (IsCsvPath(gbkPath)) {
        form.header = CsvHeaderLine();
    }
    form.line = [](const ReportRows& rows, std::size_t row, const ExportFilter& filter) {
        return ResultLine(rows, row, filter);
    };
    form.flushEachRow = flushEachRow;
    return form;
}

ResultWriter::ResultWriter(std::string_view gbkPath, ResultForm form, ResultFile::Mode mode)
    : file_(gbkPath, mode), form_(std::move(form)) {}

ResultWriter::ResultWriter(std::FILE* stream, ResultForm form)
    : file_(stream), form_(std::move(form)) {}

void ResultWriter::writeHeader() {
    if (!form_.header.empty()) {
        file_.write(form_.header);
        written();
    }
}

void ResultWriter::writeRow(const ReportRows& rows, std::size_t row, const ExportFilter& filter) {
    file_.write(form_.line(rows, row, filter));
    written();
}

void ResultWriter::written() {
    if (form_.flushEachRow) {
        file_.flush();
    }
}

}  // namespace yc::query
