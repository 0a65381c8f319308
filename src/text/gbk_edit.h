// Editing helpers for GBK text: trimming, ASCII case changes, replacing, splitting, `between`.
// Each one walks the text character by character, so trail bytes are never touched.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/gbk_search.h"
#include "text/gbk_text.h"

namespace yc::text {

/// Removes ASCII spaces and full-width spaces (A1 A1) at both ends; tabs stay.
Text trimSpaces(std::string_view s);
/// The part of `s` that trimSpaces keeps, without copying it.
std::string_view spacesTrimmed(std::string_view s);
/// `s` without ASCII white space (space, tab, CR, LF) at either end, without copying it. GBK
/// trail bytes are never white space, so no character is cut.
std::string_view whitespaceTrimmed(std::string_view s);

/// Changes ASCII letters only; double-byte characters pass through unchanged.
Text asciiLower(std::string_view s);
Text asciiUpper(std::string_view s);
/// asciiLower in place, setting bit i % 64 of `lowered[i / 64]` for every byte i it changed, and
/// only for those, so that the original text can be had back.
void asciiLowerInPlace(Text& s, std::vector<std::uint64_t>& lowered);

/// Replaces every match of `from` (searched left to right, never overlapping) with `to`.
Text replaceAll(std::string_view s, std::string_view from, std::string_view to,
                CaseMode mode = CaseMode::Exact);

/// Every separator ends a piece, which may be empty; what follows the last separator is a piece
/// only when it is not empty. "a||b|" gives "a", "", "b"; an empty text gives no pieces.
std::vector<Text> split(std::string_view s, std::string_view separator);

/// The text strictly between the first `left` and the first `right` after it, ignoring ASCII case;
/// empty when either is missing.
Text between(std::string_view s, std::string_view left, std::string_view right);

}  // namespace yc::text
