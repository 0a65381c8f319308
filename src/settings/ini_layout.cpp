// Finding sections, entries and lines in the settings text by byte search.
#include "settings/ini_layout.h"

#include <string>

namespace yc::settings::layout {

bool startsLine(std::string_view buffer, std::size_t pos) {
    return pos == 0 || (pos >= 2 && buffer.substr(pos - 2, 2) == kLineBreak);
}

std::size_t findSectionHeader(std::string_view buffer, std::string_view section, std::size_t from) {
    std::string needle;
    needle.reserve(section.size() + 2);
    needle.append("[").append(section).append("]");
    for (std::size_t pos = buffer.find(needle, from); pos != npos;
         pos = buffer.find(needle, pos + 1)) {
        if (startsLine(buffer, pos)) {
            return pos;
        }
    }
    return npos;
}

std::size_t nextSectionHeader(std::string_view buffer, std::size_t from, std::size_t limit) {
    static constexpr std::string_view kHeaderStart = "\r\n[";
    for (std::size_t found = buffer.find(kHeaderStart, from); found != npos && found < limit;
         found = buffer.find(kHeaderStart, found + kLineBreak.size())) {
        const std::size_t open = found + kLineBreak.size();
        const std::size_t end = lineEnd(buffer, open);
        if (isHeaderLine(buffer.substr(open, end - open))) {
            // A header whose line reaches past the limit is not in front of it.
            return end - 1 > limit ? npos : open;
        }
    }
    return npos;
}

std::optional<Entry> findEntry(std::string_view buffer, std::size_t headerEnd,
                               std::string_view key) {
    std::string needle;
    needle.reserve(key.size() + 3);
    needle.append(kLineBreak).append(key).append("=");
    const std::size_t found = buffer.find(needle, headerEnd);
    if (found == npos) {
        return std::nullopt;
    }
    const std::size_t keyStart = found + kLineBreak.size();
    if (nextSectionHeader(buffer, headerEnd + 1, keyStart - 1) != npos) {
        return std::nullopt;
    }
    const std::size_t valueStart = keyStart + key.size() + 1;
    return Entry{keyStart, valueStart, lineEnd(buffer, valueStart)};
}

std::size_t lineEnd(std::string_view buffer, std::size_t from) {
    const std::size_t end = buffer.find(kLineBreak, from);
    return end == npos ? buffer.size() : end;
}

bool isHeaderLine(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace yc::settings::layout
