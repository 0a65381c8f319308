// Reading back TXT, CSV and JSON Lines results. A line holds its name first: before the comma of
// "name,是", alone on a TXT line, or as the "name" member of a JSON object.
#include "cli/resume_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "query/domain_list.h"
#include "text/charset.h"
#include "text/gbk_edit.h"

namespace yc::cli {
namespace {

// The "name" member of a JSON Lines object, unescaped, in UTF-8; empty when there is none.
std::string jsonName(std::string_view line) {
    const std::size_t key = line.find("\"name\"");
    if (key == std::string_view::npos) {
        return {};
    }
    std::size_t at = line.find('"', line.find(':', key) + 1);
    std::string name;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            ++at;
        }
        name += line[at];
    }
    return name;
}

Text nameOfLine(std::string_view line) {
    if (line.starts_with('{')) {
        return text::utf8ToGbk(jsonName(line));
    }
    const Text raw(line.substr(0, line.find(',')));
    // A UTF-8 result file holds its Chinese names in UTF-8; the run compares GBK.
    const bool utf8 = text::isValidUtf8(raw) && std::any_of(raw.begin(), raw.end(), [](char c) {
                          return static_cast<unsigned char>(c) >= 0x80;
                      });
    return text::trimSpaces(utf8 ? text::utf8ToGbk(raw) : raw);
}

}  // namespace

std::optional<ResumePoint> readResumePoint(const std::string& path, std::string& error) {
    ResumePoint point;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT) {
            return point;
        }
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::size_t complete = bytes.rfind('\n') == std::string::npos ? 0 : bytes.rfind('\n') + 1;
    if (complete < bytes.size() && ::truncate(path.c_str(), static_cast<off_t>(complete)) != 0) {
        error = "cannot repair the cut-off last line of " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const Text header = text::trimSpaces(YC_GBK("域名"));
    for (Text line : text::split(std::string_view(bytes).substr(0, complete), "\n")) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        point.hasLines = true;
        const Text name = nameOfLine(line);
        if (!name.empty() && name != header) {
            point.names.insert(name);
        }
    }
    return point;
}

std::size_t dropCheckedNames(Text& listText, const std::unordered_set<Text>& checked,
                             const query::BatchChecker& names) {
    Text remaining;
    std::size_t dropped = 0;
    query::DomainListLines lines(listText);
    for (std::string_view line; lines.next(line);) {
        if (checked.contains(names.nameOf(line))) {
            ++dropped;
            continue;
        }
        remaining.append(line).append("\r\n");
    }
    listText = std::move(remaining);
    return dropped;
}

}  // namespace yc::cli
