#include "text/charset.h"

#include "text/icu_converters.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

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

}  // namespace yc::text
