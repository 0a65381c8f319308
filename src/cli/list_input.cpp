#include "cli/list_input.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/charset.h"

namespace yc::cli {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
/// Stands for a code unit that is not valid UTF-16; it is never valid UTF-8 either.
constexpr char kInvalidByte = '\xFF';

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

/// UTF-16 as UTF-8, with kInvalidByte for each unpaired surrogate and for an odd last byte, so
/// that the line holding it fails the UTF-8 check like any other invalid line.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            out.push_back(kInvalidByte);
        } else {
            appendUtf8(out, c);
        }
    }
    if (i < bytes.size()) {
        out.push_back(kInvalidByte);
    }
    return out;
}

/// GBK's double-byte characters: a lead byte, then a trail byte from 40-7E or 80-FE. 80 alone
/// is the euro sign of code page 936.
bool isWellFormedGbk(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte == 0xFF) {
            return false;
        }
        if (!text::isLeadByte(byte)) {
            continue;
        }
        if (++i == line.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(line[i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
    }
    return true;
}

/// Valid UTF-8 that holds a character of three or four bytes: CJK text in UTF-8 always does,
/// GBK text that happens to be valid UTF-8 almost never does.
bool looksLikeUtf8(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xE0; }) &&
           text::isValidUtf8(bytes);
}

bool hasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

/// One line's GBK bytes, or none with `error` set.
std::optional<Text> lineToGbk(std::string_view line, const ListText& list, std::string& error) {
    if (list.family == TextEncoding::Gbk) {
        if (isWellFormedGbk(line)) {
            return Text(line);
        }
        error = "is not valid GBK (a double-byte character is cut short or malformed)";
        return std::nullopt;
    }
    if (!text::isValidUtf8(line)) {
        error = std::string("is not valid ") + list.encodingName;
        return std::nullopt;
    }
    Text gbk = text::utf8ToGbk(line);
    if (text::gbkToUtf8(gbk) != line) {
        error = "holds a character that GBK cannot hold";
        return std::nullopt;
    }
    return gbk;
}

}  // namespace

std::optional<ListText> decodeList(std::string_view bytes, std::optional<TextEncoding> given,
                                   std::string& error) {
    ListText list;
    const auto use = [&list](const char* name, TextEncoding family) {
        list.encodingName = name;
        list.family = family;
    };
    std::string unicode;
    bool marked = true;
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        use(bigEndian ? "UTF-16BE" : "UTF-16LE", TextEncoding::Utf8);
        unicode = utf16ToUtf8(bytes.substr(kUtf16LeBom.size()), bigEndian);
        bytes = unicode;
    } else if (bytes.starts_with(kUtf8Bom)) {
        use("UTF-8", TextEncoding::Utf8);
        bytes.remove_prefix(kUtf8Bom.size());
    } else {
        marked = false;
        if (given ? *given == TextEncoding::Utf8 : looksLikeUtf8(bytes)) {
            use("UTF-8", TextEncoding::Utf8);
        }
    }
    list.guessed = !marked && !given && hasNonAscii(bytes);
    list.gbk.reserve(bytes.size() + bytes.size() / 16);
    // CR and LF never occur inside a GBK or UTF-8 character, so lines are cut before decoding.
    std::size_t start = 0;
    for (std::size_t number = 1; start < bytes.size(); ++number) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        std::string why;
        const std::optional<Text> line = lineToGbk(bytes.substr(start, end - start), list, why);
        if (!line) {
            error = "line " + std::to_string(number) + " of the list " + why;
            return std::nullopt;
        }
        list.gbk += *line;
        if (end == bytes.size()) {
            break;
        }
        list.gbk += "\r\n";
        start = end + (bytes.substr(end).starts_with("\r\n") ? 2 : 1);
    }
    return list;
}

std::optional<std::string> readInputBytes(const std::string& source, std::string& error) {
    std::FILE* file = source == "-" ? stdin : std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + source + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    if (file != stdin) {
        std::fclose(file);
    }
    if (failed) {
        error = "cannot read " + source + ": " + std::strerror(readErrno);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace yc::cli
