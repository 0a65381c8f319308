// Trimming, case changes, replacing and splitting GBK text character by character.
#include "text/gbk_edit.h"

#include <bit>
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

// Sets bit `pos` of `marks` when marks are kept.
void mark(std::vector<std::uint64_t>* marks, std::size_t pos) {
    if (marks != nullptr) {
        (*marks)[pos / 64] |= std::uint64_t{1} << (pos % 64);
    }
}

// Flips the case bit of the letters in [first, last] of a block of plain ASCII bytes; false, with
// nothing changed, when the block holds any other byte. Written as plain loops over the bytes so
// that the compiler turns each into vector instructions.
constexpr std::size_t kBlock = 128;
bool changeAsciiBlock(char* p, std::size_t at, char first, char last,
                      std::vector<std::uint64_t>* marks) {
    unsigned char high = 0;
    unsigned char any = 0;
    const auto span = static_cast<unsigned char>(last - first);
    for (std::size_t j = 0; j < kBlock; ++j) {
        high |= static_cast<unsigned char>(p[j]);
        any |= static_cast<unsigned char>(static_cast<unsigned char>(p[j] - first) <= span);
    }
    if ((high & 0x80) != 0) {
        return false;
    }
    if (any == 0) {
        return true;
    }
    for (std::size_t j = 0; marks != nullptr && j < kBlock; ++j) {
        if (static_cast<unsigned char>(p[j] - first) <= span) {
            mark(marks, at + j);
        }
    }
    for (std::size_t j = 0; j < kBlock; ++j) {
        const bool letter = static_cast<unsigned char>(p[j] - first) <= span;
        p[j] = static_cast<char>(p[j] ^ (letter ? 0x20 : 0));
    }
    return true;
}

// Flips the case bit (0x20) of every ASCII letter in [first, last], recording each flipped byte
// in `marks` when given. Pages are mostly ASCII, so plain bytes are handled a block or a word at
// a time; a double-byte character is stepped over whole.
void changeAsciiCase(Text& out, char first, char last, std::vector<std::uint64_t>* marks) {
    if (marks != nullptr) {
        marks->assign((out.size() + 63) / 64, 0);
    }
    char* p = out.data();
    const std::size_t n = out.size();
    std::size_t i = 0;
    std::size_t nextBlock = 0;  // past a block with other bytes, so double-byte text is read once
    while (i < n) {
        if (i >= nextBlock && i + kBlock <= n) {
            if (changeAsciiBlock(p + i, i, first, last, marks)) {
                i += kBlock;
                continue;
            }
            nextBlock = i + kBlock;
        }
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if ((word & kHighBits) == 0) {
                std::uint64_t letters = bytesInRange(word & kLowSeven, first, last);
                word ^= letters >> 2;
                std::memcpy(p + i, &word, 8);
                for (; marks != nullptr && letters != 0; letters &= letters - 1) {
                    mark(marks, i + static_cast<std::size_t>(std::countr_zero(letters)) / 8);
                }
                i += 8;
                continue;
            }
        }
        const auto b = static_cast<unsigned char>(p[i]);
        if (b < 0x80) {
            if (p[i] >= first && p[i] <= last) {
                p[i] = static_cast<char>(p[i] ^ 0x20);
                mark(marks, i);
            }
            ++i;
        } else {
            i += isLeadByte(b) && i + 1 < n ? 2 : 1;
        }
    }
}

}  // namespace

std::string_view whitespaceTrimmed(std::string_view s) {
    constexpr std::string_view kWhite = " \t\r\n";
    const std::size_t first = s.find_first_not_of(kWhite);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kWhite) - first + 1);
}

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
    Text out(s);
    changeAsciiCase(out, 'A', 'Z', nullptr);
    return out;
}
void asciiLowerInPlace(Text& s, std::vector<std::uint64_t>& lowered) {
    changeAsciiCase(s, 'A', 'Z', &lowered);
}
Text asciiUpper(std::string_view s) {
    Text out(s);
    changeAsciiCase(out, 'a', 'z', nullptr);
    return out;
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
