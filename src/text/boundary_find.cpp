#include "text/boundary_find.h"

#include "text/gbk_search.h"

namespace yc::text {

bool startsCharacter(std::string_view s, std::size_t pos) {
    // The byte after a run of lead-range bytes starts a character exactly when the run has an
    // even length: the run itself starts a character, and its bytes pair up.
    std::size_t run = 0;
    while (run < pos && isLeadByte(static_cast<unsigned char>(s[pos - run - 1]))) {
        ++run;
    }
    return run % 2 == 0;
}

std::size_t findAtCharacter(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return npos;
    }
    if (isLeadByte(static_cast<unsigned char>(needle[0]))) {
        // Candidates may sit inside long double-byte runs; walking forward keeps this linear.
        return find(hay, needle, from);
    }
    for (std::size_t pos = hay.find(needle, from); pos != npos; pos = hay.find(needle, pos + 1)) {
        if (startsCharacter(hay, pos)) {
            return pos;
        }
    }
    return npos;
}

std::vector<std::uint32_t> characterPositions(std::string_view text, char c) {
    std::vector<std::uint32_t> positions;
    for (std::size_t pos = text.find(c); pos != npos; pos = text.find(c, pos + 1)) {
        if (startsCharacter(text, pos)) {
            positions.push_back(static_cast<std::uint32_t>(pos));
        }
    }
    return positions;
}

std::size_t ForwardFinder::next(std::size_t from) {
    const bool stillValid =
        searchedFrom_ != npos && from >= searchedFrom_ && (found_ == npos || from <= found_);
    if (!stillValid) {
        searchedFrom_ = from;
        found_ = findAtCharacter(hay_, needle_, from);
    }
    return found_;
}

}  // namespace yc::text
