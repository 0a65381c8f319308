// Writes results the one way the save button, auto-save and the command line share: a file or
// stream, a header first where the form has one, then a line per row under the export filter,
// flushed after each row where asked; close() reports the first error.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "query/report_rows.h"
#include "query/result_export.h"
#include "query/result_file.h"
#include "text/gbk_text.h"

namespace yc::query {

/// How results are written.
struct ResultForm {
    /// The line of `row` with its line end, or "" when the filter skips the row.
    using LineOf =
        std::function<std::string(const ReportRows& rows, std::size_t row, const ExportFilter&)>;

    Text header;  ///< written by writeHeader(); empty for none
    LineOf line;
    bool flushEachRow = false;  ///< each row reaches the file before the next is written
};

/// The export's form for `gbkPath`: the CSV header when its extension is "csv", then the export
/// line of each row.
ResultForm ExportForm(std::string_view gbkPath, bool flushEachRow = false);

class ResultWriter {
  public:
    /// Opens `gbkPath` as ResultFile does; isOpen() and error() tell how that went.
    ResultWriter(std::string_view gbkPath, ResultForm form,
                 ResultFile::Mode mode = ResultFile::Mode::Replace);
    /// Writes to an open stream, which close() flushes but keeps open.
    ResultWriter(std::FILE* stream, ResultForm form);

    bool isOpen() const { return file_.isOpen(); }
    /// Writes the form's header, if it has one.
    void writeHeader();
    /// Writes the line of `row` under `filter`; nothing when the filter skips it.
    void writeRow(const ReportRows& rows, std::size_t row, const ExportFilter& filter);
    /// Pushes buffered lines to the file; false once any write failed.
    bool flush() { return file_.flush(); }
    /// Flushes and closes; true when every write and the close succeeded.
    bool close() { return file_.close(); }
    /// The system's reason for the first failure, empty while all is well.
    const Text& error() const { return file_.error(); }

  private:
    void written();

    ResultFile file_;
    ResultForm form_;
};

}  // namespace yc::query
