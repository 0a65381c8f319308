// GBK byte strings as the program holds all of its text, and the rule that splits them into
// characters: a byte 0x81-0xFE and the byte after it form one double-byte character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace yc {

/// Text as the program holds it: GBK (code page 936) bytes. Lengths and positions count bytes.
using Text = std::string;
/// A counted run of bytes: request and response bodies, byte-mode settings.
using ByteBuffer = std::string;

}  // namespace yc

namespace yc::text {

inline constexpr std::size_t npos = std::string_view::npos;

/// True for a byte that starts a double-byte character when another byte follows it.
constexpr bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

/// Length in bytes of the character starting at `pos` (1 or 2; a lead byte at the end stands
/// alone).
constexpr std::size_t charLength(std::string_view s, std::size_t pos) {
    return isLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

/// The end of the run of ASCII bytes that starts at `pos`, at most `limit`; pages are mostly
/// ASCII, so the run is read 32 bytes at a time (one OR over the block, which the compiler does in
/// vector registers), then eight.
inline std::size_t asciiRunEnd(std::string_view s, std::size_t pos, std::size_t limit) {
    constexpr std::size_t kBlock = 32;
    if (pos < limit && static_cast<unsigned char>(s[pos]) >= 0x80) {
        return pos;  // double-byte text walks here once per character
    }
    while (pos + kBlock <= limit) {
        unsigned char high = 0;
        for (std::size_t j = 0; j < kBlock; ++j) {
            high |= static_cast<unsigned char>(s[pos + j]);
        }
        if (high >= 0x80) {
            break;
        }
        pos += kBlock;
    }
    while (pos + 8 <= limit) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + pos, 8);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
        pos += 8;
    }
    while (pos < limit && static_cast<unsigned char>(s[pos]) < 0x80) {
        ++pos;
    }
    return pos;
}

constexpr bool isAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isAsciiLetter(char c) {
    return isAsciiUpper(c) || isAsciiLower(c);
}
constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr char asciiToLower(char c) {
    return isAsciiUpper(c) ? static_cast<char>(c + 32) : c;
}
constexpr char asciiToUpper(char c) {
    return isAsciiLower(c) ? static_cast<char>(c - 32) : c;
}

}  // namespace yc::text
