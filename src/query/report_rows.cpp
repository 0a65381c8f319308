// The compact row storage and the notifications its observer gets.
#include "query/report_rows.h"

namespace yc::query {

void ReportRows::clear() {
    if (observer_ != nullptr) {
        observer_->rowsAboutToBeCleared();
    }
    rows_.clear();
    arena_.clear();
    firstHeld_ = 0;
    freeCount_ = 0;
    if (observer_ != nullptr) {
        observer_->rowsCleared();
    }
}

ReportRows::Span ReportRows::store(std::string_view text) {
    const std::string_view kept = text.substr(0, UINT32_MAX);
    Span span{arena_.size(), static_cast<std::uint32_t>(kept.size())};
    arena_.append(kept);
    return span;
}

void ReportRows::append(std::string_view name, std::string_view state, int iconIndex,
                        int stateImageIndex) {
    if (!keepRows_) {
        firstHeld_ += rows_.size();
        rows_.clear();
        arena_.clear();
    }
    Row row;
    row.cells[kColumnName] = store(name);
    row.cells[kColumnState] = store(state);
    row.icon = iconIndex;
    row.stateImage = stateImageIndex;
    rows_.push_back(row);
    freeCount_ += iconIndex == kIconFree ? 1 : 0;
    if (observer_ != nullptr) {
        observer_->rowAppended(count() - 1);
    }
}

void ReportRows::setCell(std::size_t row, int column, std::string_view text) {
    if (holds(row) && column >= 0 && column < kColumnCount) {
        rows_[row - firstHeld_].cells[column] = store(text);
        if (observer_ != nullptr) {
            observer_->cellChanged(row, column);
        }
    }
}

void ReportRows::setIcons(std::size_t row, int iconIndex, int stateImageIndex) {
    if (holds(row)) {
        Row& held = rows_[row - firstHeld_];
        freeCount_ -= held.icon == kIconFree ? 1 : 0;
        freeCount_ += iconIndex == kIconFree ? 1 : 0;
        held.icon = iconIndex;
        held.stateImage = stateImageIndex;
        if (observer_ != nullptr) {
            observer_->iconsChanged(row);
        }
    }
}

std::string_view ReportRows::cell(std::size_t row, int column) const {
    if (!holds(row) || column < 0 || column >= kColumnCount) {
        return {};
    }
    const Span span = rows_[row - firstHeld_].cells[column];
    return std::string_view(arena_).substr(span.offset, span.length);
}

}  // namespace yc::query
