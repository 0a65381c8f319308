// Sweeps over GBK text that accept a match only where a character starts: every position of one
// character, and repeated forward searches for one needle.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "text/gbk_text.h"

namespace yc::text {

/// Every occurrence of the single-byte character `c` that starts a character, in order.
std::vector<std::uint32_t> characterPositions(std::string_view text, char c);

/// Repeated searches for one needle from non-decreasing positions: the last answer is reused
/// while it still applies, so a whole sequence of searches sweeps the text once.
class ForwardFinder {
  public:
    ForwardFinder(std::string_view hay, Text needle) : hay_(hay), needle_(std::move(needle)) {}

    std::size_t next(std::size_t from);
    const Text& needle() const { return needle_; }

  private:
    std::string_view hay_;
    Text needle_;
    std::size_t searchedFrom_ = npos;
    std::size_t found_ = npos;
};

}  // namespace yc::text
