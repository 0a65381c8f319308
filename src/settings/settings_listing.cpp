// The listing operations of SettingsStore: section names, entry names and reverse look-ups,
// read from the buffer line by line.
#include "settings/settings_store.h"
#include "text/gbk_search.h"

namespace yc::settings {
namespace {

using layout::kLineBreak;
using layout::npos;

/// An empty filter text filters nothing.
bool passes(std::string_view line, std::string_view mustContain, std::string_view mustNotContain) {
    return (mustContain.empty() || text::contains(line, mustContain)) &&
           (mustNotContain.empty() || !text::contains(line, mustNotContain));
}

std::string_view headerName(std::string_view headerLine) {
    return headerLine.substr(1, headerLine.size() - 2);
}

/// The name in the header line that starts at `header`.
std::string_view headerNameAt(std::string_view buffer, std::size_t header) {
    return headerName(buffer.substr(header, layout::lineEnd(buffer, header) - header));
}

/// The start of the nearest whole header line that ends before `pos`, or npos.
std::size_t headerBefore(std::string_view buffer, std::size_t pos) {
    std::size_t lineEndPos = pos;  // the CR LF that ends the line examined next
    while (lineEndPos != npos && lineEndPos > 0) {
        const std::size_t previousBreak =
            lineEndPos < kLineBreak.size()
                ? npos
                : buffer.rfind(kLineBreak, lineEndPos - kLineBreak.size());
        const std::size_t start = previousBreak == npos ? 0 : previousBreak + kLineBreak.size();
        if (layout::isHeaderLine(buffer.substr(start, lineEndPos - start))) {
            return start;
        }
        if (previousBreak == npos) {
            return npos;
        }
        lineEndPos = previousBreak;
    }
    return npos;
}

}  // namespace

std::vector<Text> SettingsStore::SectionsWithKey(std::string_view key) const {
    std::vector<Text> names;
    Text needle;
    needle.append(kLineBreak).append(key).append("=");
    std::size_t previous = 0;
    bool any = false;
    for (std::size_t found = buffer_.find(needle); found != npos;
         found = buffer_.find(needle, found + kLineBreak.size())) {
        const std::size_t header = headerBefore(buffer_, found);
        if (header != npos && (!any || header > previous)) {
            names.emplace_back(headerNameAt(buffer_, header));
        }
        previous = found;
        any = true;
    }
    return names;
}

std::vector<Text> SettingsStore::KeysWithValue(std::string_view value,
                                               std::optional<std::string_view> section) const {
    std::vector<Text> keys;
    Text needle("=");
    needle.append(value.empty() ? kLineBreak : value);
    for (std::size_t found = buffer_.find(needle); found != npos;
         found = buffer_.find(needle, found + 1)) {
        const std::size_t lineBreak = found == 0 ? npos : buffer_.rfind(kLineBreak, found - 1);
        const std::size_t lineStart = lineBreak == npos ? 0 : lineBreak + kLineBreak.size();
        if (section) {
            const std::size_t header = lineBreak == npos ? npos : headerBefore(buffer_, lineBreak);
            if (header == npos || headerNameAt(buffer_, header) != *section) {
                continue;
            }
        }
        keys.emplace_back(buffer_.substr(lineStart, found - lineStart));
    }
    return keys;
}

std::vector<Text> SettingsStore::SectionNames(std::string_view mustContain,
                                              std::string_view mustNotContain) const {
    std::vector<Text> names;
    layout::forEachLine(buffer_, [&](std::string_view line) {
        if (layout::isHeaderLine(line) && passes(line, mustContain, mustNotContain)) {
            names.emplace_back(headerName(line));
        }
    });
    return names;
}

std::vector<Text> SettingsStore::EntryNames(const EntryNameFilter& filter) const {
    std::vector<Text> keys;
    bool accepted = false;
    layout::forEachLine(buffer_, [&](std::string_view line) {
        if (layout::isHeaderLine(line)) {
            accepted = (!filter.section || headerName(line) == *filter.section) &&
                       passes(line, filter.sectionMustContain, filter.sectionMustNotContain);
            return;
        }
        const std::size_t equals = line.find('=');
        if (!accepted || equals == npos || equals == 0) {
            return;
        }
        const std::string_view key = line.substr(0, equals);
        if (passes(key, filter.mustContain, filter.mustNotContain)) {
            keys.emplace_back(key);
        }
    });
    return keys;
}

}  // namespace yc::settings
