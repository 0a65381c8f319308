// The report list's rows, as the query run writes them and export reads them back. The rows are
// the only record of results; the front end that shows or streams them observes the changes (one
// that streams them need not keep them).
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
    /// False: each row is held only until the next one is appended, once its observer has seen
    /// it; for a front end that streams the rows rather than showing them. Rows let go of read
    /// as empty and cannot be changed; count() and freeCount() go on counting every row.
    void setKeepRows(bool keep) { keepRows_ = keep; }

    void clear();
    void append(std::string_view name, std::string_view state, int iconIndex, int stateImageIndex);
    void setCell(std::size_t row, int column, std::string_view text);
    void setIcons(std::size_t row, int iconIndex, int stateImageIndex);
    std::size_t count() const { return firstHeld_ + rows_.size(); }
    /// The rows whose icon is kIconFree.
    std::size_t freeCount() const { return freeCount_; }
    std::string_view cell(std::size_t row, int column) const;
    /// Of a row that is held.
    int iconIndex(std::size_t row) const { return rows_[row - firstHeld_].icon; }
    int stateImageIndex(std::size_t row) const { return rows_[row - firstHeld_].stateImage; }

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
    bool holds(std::size_t row) const { return row >= firstHeld_ && row < count(); }

    std::string arena_;
    std::vector<Row> rows_;
    std::size_t firstHeld_ = 0;  ///< the rows before it have been let go of
    std::size_t freeCount_ = 0;
    bool keepRows_ = true;
    ReportRowsObserver* observer_ = nullptr;
};

}  // namespace yc::query
