// Byte-level layout of the settings text: section headers, entries and lines, found by exact byte
// search. Positions here are 0-based byte offsets; npos means not found.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::settings::layout {

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::size_t npos = std::string_view::npos;

/// True when `pos` is the first byte of `buffer` or follows a CR LF.
bool startsLine(std::string_view buffer, std::size_t pos);

/// The "[" of the first "[" + section + "]" at or after `from` that starts a line.
std::size_t findSectionHeader(std::string_view buffer, std::string_view section, std::size_t from);

/// The "[" of the first whole header line (a line starting with "[" and ending with "]") that
/// begins after a CR LF found at or after `from` and before `limit`, and whose "]" is not past
/// `limit`.
std::size_t nextSectionHeader(std::string_view buffer, std::size_t from, std::size_t limit);

struct Entry {
    std::size_t keyStart;    ///< first byte of the key; the CR LF before it starts at keyStart - 2
    std::size_t valueStart;  ///< first byte after key + "="
    std::size_t valueEnd;    ///< the CR of the line end, or the buffer's size
};

/// The entry `key` of the section whose header's "]" is at `headerEnd`. An entry line found past
/// the next header belongs to a later section and does not count.
std::optional<Entry> findEntry(std::string_view buffer, std::size_t headerEnd,
                               std::string_view key);

/// The CR of the first CR LF at or after `from`, or the buffer's size.
std::size_t lineEnd(std::string_view buffer, std::size_t from);

/// True for a line that starts with "[" and ends with "]".
bool isHeaderLine(std::string_view line);

/// Calls `visit(line)` for every CR LF separated line, the last one included even when empty.
template <class Visit>
void forEachLine(std::string_view buffer, Visit&& visit) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = lineEnd(buffer, start);
        visit(buffer.substr(start, end - start));
        if (end == buffer.size()) {
            return;
        }
        start = end + kLineBreak.size();
    }
}

}  // namespace yc::settings::layout
