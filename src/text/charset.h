// Charset conversion, all of it through ICU: between the program's GBK text and Unicode (code
// page 936; characters GBK cannot hold become "?", as on the system the program was written
// for), and between any two charsets ICU names, for answer pages.
#pragma once

#include <string>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::text {

std::string gbkToUtf8(std::string_view gbk);
Text utf8ToGbk(std::string_view utf8);
std::u16string gbkToUtf16(std::string_view gbk);
Text utf16ToGbk(std::u16string_view utf16);

/// True when `bytes` are well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// The bytes decoded from charset `from` and encoded in charset `to` (ICU names); empty when a
/// converter is missing or the input cannot be converted.
ByteBuffer ConvertCharset(std::string_view bytes, const char* from, const char* to);

}  // namespace yc::text

/// A GBK copy of a UTF-8 string literal, converted once per call site. Sources stay UTF-8 while
/// every text the program handles is GBK.
#define YC_GBK(literal)                                                     \
    ([]() -> const ::yc::Text& {                                            \
        static const ::yc::Text converted = ::yc::text::utf8ToGbk(literal); \
        return converted;                                                   \
    }())
