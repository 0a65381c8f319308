// Reading the list's bytes and decoding them to GBK line by line, refusing lossy conversion.
#include "cli/list_input.h"

#include <sys/stat.h>

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
constexpr const char* kNotInGbk = "holds a character that GBK cannot hold";

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

/// Every surrogate is one half of a pair.
bool isWellFormedUtf16(std::u16string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t unit = line[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < line.size() && line[i + 1] >= 0xDC00 &&
            line[i + 1] < 0xE000) {
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
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

std::u16string utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

/// Cuts `text` into lines at CR LF, CR or LF, appends each to the GBK text with
/// `toGbk(line, last, gbk, why)` and joins them with CR LF; none, with `error` naming the line,
/// when a line does not convert. CR and LF never occur inside a GBK, UTF-8 or UTF-16 character,
/// so lines are cut first.
template <class Char, class ToGbk>
std::optional<Text> linesToGbk(std::basic_string_view<Char> text, ToGbk toGbk, std::string& error) {
    // Sized once for the most the text can become (a lone CR or LF grows to CR LF, a UTF-16
    // unit to at most two bytes): growing a long list by doubling would hold it twice over.
    // Pages reserved but never written cost no memory.
    const auto lineEnds =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), Char('\r')) +
                                 std::count(text.begin(), text.end(), Char('\n')));
    Text gbk;
    gbk.reserve(text.size() * sizeof(Char) + lineEnds);
    std::size_t start = 0;
    for (std::size_t number = 1; start < text.size(); ++number) {
        std::size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n')) {
            ++end;
        }
        std::string why;
        if (!toGbk(text.substr(start, end - start), end == text.size(), gbk, why)) {
            error = "line " + std::to_string(number) + " of the list " + why;
            return std::nullopt;
        }
        if (end == text.size()) {
            break;
        }
        gbk += "\r\n";
        const bool crLf =
            text[end] == Char('\r') && end + 1 < text.size() && text[end + 1] == Char('\n');
        start = end + (crLf ? 2 : 1);
    }
    return gbk;
}

std::optional<Text> gbkLines(std::string_view bytes, std::string& error) {
    return linesToGbk(
        bytes,
        [](std::string_view line, bool, Text& gbk, std::string& why) {
            if (!isWellFormedGbk(line)) {
                why = "is not valid GBK (a double-byte character is cut short or malformed)";
                return false;
            }
            gbk += line;
            return true;
        },
        error);
}

std::optional<Text> utf8Lines(std::string_view bytes, std::string& error) {
    return linesToGbk(
        bytes,
        [](std::string_view line, bool, Text& gbk, std::string& why) {
            if (!text::isValidUtf8(line)) {
                why = "is not valid UTF-8";
                return false;
            }
            const Text converted = text::utf8ToGbk(line);
            if (text::gbkToUtf8(converted) != line) {
                why = kNotInGbk;
                return false;
            }
            gbk += converted;
            return true;
        },
        error);
}

std::optional<Text> utf16Lines(std::string_view bytes, bool bigEndian, std::string& error) {
    const bool cutShort = bytes.size() % 2 != 0;
    const std::u16string units = utf16Units(bytes, bigEndian);
    return linesToGbk(
        std::u16string_view(units),
        [&](std::u16string_view line, bool last, Text& gbk, std::string& why) {
            if (!isWellFormedUtf16(line) || (last && cutShort)) {
                why = std::string("is not valid ") + (bigEndian ? "UTF-16BE" : "UTF-16LE");
                return false;
            }
            const Text converted = text::utf16ToGbk(line);
            if (text::gbkToUtf16(converted) != line) {
                why = kNotInGbk;
                return false;
            }
            gbk += converted;
            return true;
        },
        error);
}

}  // namespace

std::optional<ListText> decodeList(std::string_view bytes, std::optional<TextEncoding> given,
                                   std::string& error) {
    ListText list;
    std::optional<Text> gbk;
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        list.encodingName = bigEndian ? "UTF-16BE" : "UTF-16LE";
        list.family = TextEncoding::Utf8;
        gbk = utf16Lines(bytes.substr(kUtf16LeBom.size()), bigEndian, error);
    } else if (bytes.starts_with(kUtf8Bom) ||
               (given ? *given == TextEncoding::Utf8 : looksLikeUtf8(bytes))) {
        list.encodingName = "UTF-8";
        list.family = TextEncoding::Utf8;
        list.guessed = !given && !bytes.starts_with(kUtf8Bom);
        gbk = utf8Lines(bytes.substr(bytes.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0), error);
    } else {
        list.guessed = !given && hasNonAscii(bytes);
        gbk = gbkLines(bytes, error);
    }
    if (!gbk) {
        return std::nullopt;
    }
    list.gbk = std::move(*gbk);
    return list;
}

std::optional<std::string> readInputBytes(const std::string& source, std::string& error) {
    std::FILE* file = source == "-" ? stdin : std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + source + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    // Sized once for a file: growing by doubling would hold a long list nearly twice over.
    struct stat status {};
    if (::fstat(::fileno(file), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
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
