// Decoding GBK to UTF-8 while recording where each UTF-8 byte came from.
#include "text/gbk_unicode_map.h"

#include "text/icu_converters.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <algorithm>

namespace yc::text {
namespace {

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

}  // namespace

Utf8Mapped::Utf8Mapped(std::string_view gbk) {
    if (std::all_of(gbk.begin(), gbk.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        utf8_.assign(gbk);
        return;
    }
    identity_ = false;
    // Every GBK byte yields at most one UTF-16 unit; the slack covers converter quirks.
    std::u16string wide(gbk.size() + 16, u'\0');
    std::vector<int32_t> source(wide.size(), 0);
    std::size_t produced = 0;
    if (UConverter* converter = cachedConverter("windows-936")) {
        UErrorCode status = U_ZERO_ERROR;
        UChar* target = wide.data();
        const char* in = gbk.data();
        ucnv_toUnicode(converter, &target, wide.data() + wide.size(), &in, gbk.data() + gbk.size(),
                       source.data(), true, &status);
        if (U_SUCCESS(status)) {
            produced = static_cast<std::size_t>(target - wide.data());
        }
    }
    utf8_.reserve(produced * 3);
    offsets_.reserve(produced * 3 + 1);
    // Offsets are kept non-decreasing and inside the text, so a span never comes out reversed
    // whatever the converter reports for substituted bytes.
    std::uint32_t from = 0;
    for (std::size_t i = 0; i < produced;) {
        if (source[i] >= 0 && static_cast<std::size_t>(source[i]) <= gbk.size()) {
            from = std::max(from, static_cast<std::uint32_t>(source[i]));
        }
        char32_t c = wide[i++];
        if (U16_IS_LEAD(c) && i < produced && U16_IS_TRAIL(wide[i])) {
            c = U16_GET_SUPPLEMENTARY(c, wide[i]);
            ++i;
        } else if (U16_IS_SURROGATE(c)) {
            c = 0xFFFD;  // keeps the UTF-8 well formed, so the matcher may skip its check
        }
        const std::size_t before = utf8_.size();
        appendUtf8(utf8_, c);
        offsets_.insert(offsets_.end(), utf8_.size() - before, from);
    }
    offsets_.push_back(static_cast<std::uint32_t>(gbk.size()));
}

}  // namespace yc::text
