// Character-boundary sweeps over GBK text.
#include "text/boundary_find.h"

#include "text/gbk_search.h"

namespace yc::text {

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
        found_ = find(hay_, needle_, from);
    }
    return found_;
}

}  // namespace yc::text
