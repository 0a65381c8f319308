// The report list's rows, as the query run writes them and export reads them back. The rows are
// the only record of results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::query {

/// Icon index of a row: its state for export.
enum RowIcon : int { kIconFree = 0, kIconTaken = 1 };

inline constexpr int kColumnName = 0;
inline constexpr int kColumnState = 1;
inline constexpr int kColumnCount = 2;

class ReportRows {
  public:
    virtual ~ReportRows() = default;
    virtual void clear() = 0;
    virtual void append(std::string_view name, std::string_view state, int iconIndex,
                        int stateImageIndex) = 0;
    virtual void setCell(std::size_t row, int column, std::string_view text) = 0;
    virtual void setIcons(std::size_t row, int iconIndex, int stateImageIndex) = 0;
    virtual std::size_t count() const = 0;
    virtual std::string_view cell(std::size_t row, int column) const = 0;
    virtual int iconIndex(std::size_t row) const = 0;
    virtual int stateImageIndex(std::size_t row) const = 0;
};

/// Compact row storage: cell texts live in one growing arena, so a million rows cost a few tens
/// of megabytes instead of two heap strings each.
class ReportRowStore final : public ReportRows {
  public:
    void clear() override;
    void append(std::string_view name, std::string_view state, int iconIndex,
                int stateImageIndex) override;
    void setCell(std::size_t row, int column, std::string_view text) override;
    void setIcons(std::size_t row, int iconIndex, int stateImageIndex) override;
    std::size_t count() const override { return rows_.size(); }
    std::string_view cell(std::size_t row, int column) const override;
    int iconIndex(std::size_t row) const override { return rows_[row].icon; }
    int stateImageIndex(std::size_t row) const override { return rows_[row].stateImage; }

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
};

}  // namespace yc::query
