// Searching GBK text so that a match never starts on, or folds the case of, a trail byte.
#pragma once

#include <string_view>

#include "text/gbk_text.h"

namespace yc::text {

enum class CaseMode { Exact, IgnoreAscii };

/// True when a character starts at `pos`, reading `s` from its start.
bool startsCharacter(std::string_view s, std::size_t pos);

/// First match of `needle` starting at a character boundary at or after `from`, which must itself
/// be a character boundary (0 or the end of an earlier match). Returns npos when there is none
/// or when `needle` is empty.
std::size_t find(std::string_view hay, std::string_view needle, std::size_t from = 0,
                 CaseMode mode = CaseMode::Exact);

/// Last match of `needle` starting at a character boundary at or before `atOrBefore`.
std::size_t rfind(std::string_view hay, std::string_view needle, std::size_t atOrBefore = npos,
                  CaseMode mode = CaseMode::Exact);

inline bool contains(std::string_view hay, std::string_view needle,
                     CaseMode mode = CaseMode::Exact) {
    return find(hay, needle, 0, mode) != npos;
}

/// True when `needle` matches `hay` at `pos` (a character boundary of `hay`).
bool matchesAt(std::string_view hay, std::size_t pos, std::string_view needle, CaseMode mode);

}  // namespace yc::text
