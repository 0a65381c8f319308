// Trimming, case changes, replacing and splitting GBK text character by character.
#include "text/gbk_edit.h"

#include <cstdint>
#include <cstring>

namespace yc::text {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7FULL;

constexpr std::uint64_t everyByte(unsigned char b) {
    return 0x0101010101010101ULL * b;
}

// The high bit of each byte of `word` (all ASCII) that lies in [first, last].
constexpr std::uint64_t bytesInRange(std::uint64_t word, char first, char last) {
    const std::uint64_t atLeastFirst = word + everyByte(static_cast<unsigned char>(0x80 - first));
    const std::uint64_t aboveLast = word + everyByte(static_cast<unsigned char>(0x7F - last));
    return atLeastFirst & ~aboveLast & kHighBits;
}

// Flips the case bit (0x20) of every ASCII letter in [first, last]. Pages are mostly ASCII, so
// eight plain bytes are handled at once; a double-byte character is stepped over whole.
Text changeAsciiCase(std::string_view s, char first, char last) {
    Text out(s);
    char* p = out.data();
    const std::size_t n = out.size();
    std::size_t i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if ((word & kHighBits) == 0) {
                word ^= bytesInRange(word & kLowSeven, first, last) >> 2;
                std::memcpy(p + i, &word, 8);
                i += 8;
                continue;
            }
        }
        const auto b = static_cast<unsigned char>(p[i]);
        if (b < 0x80) {
            if (p[i] >= first && p[i] <= last) {
                p[i] = static_cast<char>(p[i] ^ 0x20);
            }
            ++i;
        } else {
            i += isLeadByte(b) && i + 1 < n ? 2 : 1;
        }
    }
    return out;
}

}  // namespace

std::string_view spacesTrimmed(std::string_view s) {
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
    return s.substr(begin, end - begin);
}

Text trimSpaces(std::string_view s) {
    return Text(spacesTrimmed(s));
}

Text asciiLower(std::string_view s) {
    return changeAsciiCase(s, 'A', 'Z');
}
Text asciiUpper(std::string_view s) {
    return changeAsciiCase(s, 'a', 'z');
}

Text replaceAll(std::string_view s, std::string_view from, std::string_view to, CaseMode mode) {
    if (from.empty()) {
        return Text(s);
    }
    Text out;
    out.reserve(s.size());
    std::size_t done = 0;
    for (std::size_t pos = find(s, from, 0, mode); pos != npos; pos = find(s, from, done, mode)) {
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
