// Byte searches over GBK text that accept a match only where a character starts. They jump from
// candidate to candidate with the standard library's search and look back over double-byte runs
// only, so sweeping a whole page costs little more than a memchr.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "text/gbk_text.h"

namespace yc::text {

/// True when a character starts at `pos` (walking from the start of `s`).
bool startsCharacter(std::string_view s, std::size_t pos);

/// First exact match of `needle` at a character start at or after `from`, itself a character
/// start; npos when there is none or `needle` is empty.
std::size_t findAtCharacter(std::string_view hay, std::string_view needle, std::size_t from);

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
