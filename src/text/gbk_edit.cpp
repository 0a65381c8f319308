#include "text/gbk_edit.h"

namespace yc::text {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

template <char (*Change)(char)>
Text changeAsciiCase(std::string_view s) {
    Text out(s);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = charLength(out, i);
        if (len == 1) {
            out[i] = Change(out[i]);
        }
        i += len;
    }
    return out;
}

}  // namespace

Text trimSpaces(std::string_view s) {
    std::size_t begin = 0;
    while (begin < s.size()) {
        if (s[begin] == ' ') {
            ++begin;
        } else if (s.substr(begin, 2) == kFullWidthSpace) {
            begin += 2;
        } else {
            break;
        }
    }
    // The end of the last character that is not a space; found walking forward, because a
    // trailing A1 A1 may be the trail byte of one character and the lead byte of the next.
    std::size_t end = begin;
    for (std::size_t i = begin; i < s.size();) {
        const std::size_t len = charLength(s, i);
        const std::string_view ch = s.substr(i, len);
        i += len;
        if (ch != " " && ch != kFullWidthSpace) {
            end = i;
        }
    }
    return Text(s.substr(begin, end - begin));
}

Text asciiLower(std::string_view s) { return changeAsciiCase<asciiToLower>(s); }
Text asciiUpper(std::string_view s) { return changeAsciiCase<asciiToUpper>(s); }

Text replaceAll(std::string_view s, std::string_view from, std::string_view to, CaseMode mode) {
    if (from.empty()) {
        return Text(s);
    }
    Text out;
    out.reserve(s.size());
    std::size_t done = 0;
    for (std::size_t pos = find(s, from, 0, mode); pos != npos;
         pos = find(s, from, done, mode)) {
        out.append(s.substr(done, pos - done)).append(to);
        done = pos + from.size();
    }
    out.append(s.substr(done));
    return out;
}

std::vector<Text> split(std::string_view s, std::string_view separator) {
    std::vector<Text> pieces;
    if (separator.empty()) {
        if (!s.empty()) {
            pieces.emplace_back(s);
        }
        return pieces;
    }
    std::size_t done = 0;
    for (std::size_t pos = find(s, separator); pos != npos; pos = find(s, separator, done)) {
        pieces.emplace_back(s.substr(done, pos - done));
        done = pos + separator.size();
    }
    if (done < s.size()) {
        pieces.emplace_back(s.substr(done));
    }
    return pieces;
}

Text between(std::string_view s, std::string_view left, std::string_view right) {
    const std::size_t l = find(s, left, 0, CaseMode::IgnoreAscii);
    if (l == npos) {
        return {};
    }
    const std::size_t start = l + left.size();
    const std::size_t r = find(s, right, start, CaseMode::IgnoreAscii);
    if (r == npos) {
        return {};
    }
    return Text(s.substr(start, r - start));
}

}  // namespace yc::text
