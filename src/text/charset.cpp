// Charset conversion through ICU: GBK to and from Unicode, and between any two named charsets.
#include "text/charset.h"

#include "text/icu_converters.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <array>
#include <stdexcept>

namespace yc::text {
namespace {

// Characters GBK cannot hold become "?", as on the system the program was written for.
UConverter* gbkConverter() {
    UConverter* converter = cachedConverter("windows-936");
    if (converter == nullptr) {
        throw std::runtime_error("ICU has no windows-936 converter");
    }
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter, "?", 1, &status);
    return converter;
}

// ASCII runs at least this long are copied instead of going through ICU.
constexpr std::size_t kLongAsciiRun = 256;

// Appends the conversion of `bytes` to `out`, converting straight into the output's tail;
// false when ICU cannot convert them.
bool convertRun(UConverter* source, UConverter* target, std::string_view bytes, ByteBuffer& out) {
    // Every supported source character grows by at most a factor of two into GB18030.
    std::size_t capacity = bytes.size() * 2 + 16;
    std::array<UChar, 1024> pivot;
    UChar* pivotSource = pivot.data();
    UChar* pivotTarget = pivot.data();
    const char* in = bytes.data();
    const char* const inEnd = bytes.data() + bytes.size();
    std::size_t written = out.size();
    UErrorCode status = U_ZERO_ERROR;
    bool first = true;
    do {
        status = U_ZERO_ERROR;
        out.resize(written + capacity);
        char* outPos = out.data() + written;
        ucnv_convertEx(target, source, &outPos, out.data() + out.size(), &in, inEnd, pivot.data(),
                       &pivotSource, &pivotTarget, pivot.data() + pivot.size(), first, true,
                       &status);
        first = false;
        written = static_cast<std::size_t>(outPos - out.data());
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    out.resize(written);
    // A character cut off by the end of the body is dropped; everything before it stands.
    return U_SUCCESS(status) || status == U_TRUNCATED_CHAR_FOUND;
}

std::size_t skipNonAscii(const char* data, std::size_t pos, std::size_t size) {
    while (pos < size && static_cast<unsigned char>(data[pos]) >= 0x80) {
        ++pos;
    }
    return pos;
}

// In UTF-8 an ASCII byte is always a character of its own, and GB18030 writes it unchanged, so
// long ASCII stretches (markup, scripts, padding) can be copied around the converter.
bool asciiPassesThrough(std::string_view from, std::string_view to) {
    return from == "UTF-8" && to == "GB18030";
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) {
    if (gbk.empty()) {
        return {};
    }
    std::u16string out(gbk.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(gbkConverter(), out.data(), static_cast<int32_t>(out.size()),
                                    gbk.data(), static_cast<int32_t>(gbk.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return out;
}

Text utf16ToGbk(std::u16string_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    Text out(utf16.size() * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(gbkConverter(), out.data(), static_cast<int32_t>(out.size()),
                                      utf16.data(), static_cast<int32_t>(utf16.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string gbkToUtf8(std::string_view gbk) {
    // ASCII reads the same in both; result lines and names mostly are.
    if (asciiRunEnd(gbk, 0, gbk.size()) == gbk.size()) {
        return std::string(gbk);
    }
    const std::u16string wide = gbkToUtf16(gbk);
    if (wide.empty()) {
        return {};
    }
    std::string out(wide.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, wide.data(),
                       static_cast<int32_t>(wide.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

Text utf8ToGbk(std::string_view utf8) {
    if (asciiRunEnd(utf8, 0, utf8.size()) == utf8.size()) {
        return Text(utf8);
    }
    std::u16string wide;
    wide.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            c = '?';
        }
        if (U_IS_BMP(c)) {
            wide.push_back(static_cast<char16_t>(c));
        } else {
            wide.push_back(U16_LEAD(c));
            wide.push_back(U16_TRAIL(c));
        }
    }
    return utf16ToGbk(wide);
}

bool isValidUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(data, i, length, c);
        if (c < 0) {
            return false;
        }
    }
    return true;
}

ByteBuffer ConvertCharset(std::string_view bytes, const char* from, const char* to) {
    // One converter cannot be both ends of a conversion, so a same-name target gets its own.
    ConverterPtr ownTarget = std::string_view(from) == to ? openConverter(to) : nullptr;
    UConverter* source = cachedConverter(from);
    UConverter* target = ownTarget ? ownTarget.get() : cachedConverter(to);
    if (source == nullptr || target == nullptr || bytes.empty()) {
        return {};
    }
    ByteBuffer out;
    // Markup is mostly ASCII, which passes through byte for byte; CJK shrinks (3 bytes to 2).
    out.reserve(bytes.size() + 16);
    if (!asciiPassesThrough(from, to)) {
        return convertRun(source, target, bytes, out) ? out : ByteBuffer();
    }
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t pending = 0;  // start of the stretch not yet written
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t asciiEnd = asciiRunEnd(bytes, pos, size);
        if (asciiEnd - pos >= kLongAsciiRun || asciiEnd == size) {
            if (pos > pending &&
                !convertRun(source, target, bytes.substr(pending, pos - pending), out)) {
                return {};
            }
            out.append(data + pos, asciiEnd - pos);
            pending = asciiEnd;
        }
        pos = skipNonAscii(data, asciiEnd, size);
    }
    if (pending < size && !convertRun(source, target, bytes.substr(pending), out)) {
        return {};
    }
    return out;
}

}  // namespace yc::text
