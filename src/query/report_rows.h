// The report list's rows, as the query run writes them and export reads them back. The rows are
// the only record of results; the front end that shows or streams them observes the changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::query {

/// Icon index of a row: its state for export.
enum RowIcon : int { kIconFree = 0, kIconTaken = 1 };

inline constexpr int kColumnName = 0;
inline constexpr int kColumnState = 1;
inline constexpr int kColumnCount = 2;

/// Told about each change to the rows it observes, right after the change (a clear also before
/// it, so that a view can let go of the old rows first).
class ReportRowsObserver {
  public:
    virtual ~ReportRowsObserver() = default;
    virtual void rowsAboutToBeCleared() {}
    virtual void rowsCleared() {}
    virtual void rowAppended(std::size_t /*row*/) {}
    virtual void cellChanged(std::size_t /*row*/, int /*column*/) {}
    virtual void iconsChanged(std::size_t /*row*/) {}
};

/// Compact row storage: cell texts live in one growing arena, so a million rows cost a few tens
/// of megabytes instead of two heap strings each.
class ReportRows {
  public:
    /// Tells `observer` (nullptr: nobody) about every change from now on. One observer at a time.
    void setObserver(ReportRowsObserver* observer) { observer_ = observer; }

    void clear();
    void append(std::string_view name, std::string_view state, int iconIndex, int stateImageIndex);
    void setCell(std::size_t row, int column, std::string_view text);
    void setIcons(std::size_t row, int iconIndex, int stateImageIndex);
    std::size_t count() const { return rows_.size(); }
    std::string_view cell(std::size_t row, int column) const;
    int iconIndex(std::size_t row) const { return rows_[row].icon; }
    int stateImageIndex(std::size_t row) const { return rows_[row].stateImage; }

  private:
    struct Span {
        std::uint64_t offset = 0;
        std::uint32_t length = 0;
    };
    struct Row {
        Span cells[kColumnCount];
        std::int32_t icon = 0;
        std::int32_t stateImage = 0;
    };
    Span store(std::string_view text);

    std::string arena_;
    std::vector<Row> rows_;
    ReportRowsObserver* observer_ = nullptr;
};

}  // namespace yc::query
