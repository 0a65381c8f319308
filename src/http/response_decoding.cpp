// Detecting a response body's encoding and decoding it to GBK text.
#include "http/response_decoding.h"

#include <array>
#include <utility>
#include <vector>

#include "host/event_pump.h"
#include "http/gzip_inflate.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using text::CaseMode;

bool startsWith(std::string_view body, std::string_view prefix) {
    return body.substr(0, prefix.size()) == prefix;
}

// The meta-charset alternatives are stored with "[fg]" between alternatives and '' for each ".
std::vector<Text> alternatives(std::string_view stored) {
    return text::split(text::replaceAll(stored, "''", "\""), "[fg]");
}

const std::array<std::vector<Text>, 3>& metaCharsetLists() {
    static const std::array<std::vector<Text>, 3> lists = {
        alternatives("charset=UTF-8[fg]charset=''UTF-8''[fg]charset='UTF-8'"),
        alternatives("charset=Big5[fg]charset=''Big5''[fg]charset='Big5'"),
        alternatives("charset=Big5-HKSCS[fg]charset=''Big5-HKSCS''[fg]charset='Big5-HKSCS'"),
    };
    return lists;
}

const char* charsetName(int code) {
    switch (code) {
        case kUtf8:
            return "UTF-8";
        case kUtf16Le:
            return "UTF-16LE";
        case kUtf16Be:
            return "UTF-16BE";
        case kBig5:
            return "BIG5";
        case kBig5Hkscs:
            return "BIG5-HKSCS";
        default:
            return nullptr;
    }
}

// Code and read position after the byte-order mark and meta-charset rules.
struct Detection {
    int code;
    std::size_t position;
};

Detection detect(std::string_view body, int code) {
    switch (code) {
        case kUtf16Le:
        case kUtf16Be:
            return {code, 2};
        case kUtf8:
            return {code, startsWith(body, "\xEF\xBB\xBF") ? std::size_t{3} : 0};
        case kDetectEncoding:
            break;
        default:
            return {code, 0};
    }
    if (startsWith(body, "\xEF\xBB\xBF")) {
        return {kUtf8, 3};
    }
    if (startsWith(body, "\xFF\xFE")) {
        return {kUtf16Le, 2};
    }
    if (startsWith(body, "\xFE\xFF")) {
        return {kUtf16Be, 2};
    }
    switch (MetaCharset(body)) {
        case 1:
            return {kUtf8, 0};
        case 2:
            return {kBig5, 0};
        case 3:
            return {kBig5Hkscs, 0};
        default:
            return {kDetectEncoding, 0};
    }
}

// Decodes `body`; when `owner` holds it, a body taken unchanged is moved out of the owner
// instead of copied.
Text decode(std::string_view body, ByteBuffer* owner, int code, int* usedCode, bool* whole) {
    ByteBuffer inflated;
    bool inflatedWhole = true;
    const bool gzipped = startsWith(body, "\x1F\x8B");
    if (gzipped) {
        inflated = GzipInflate(body, &inflatedWhole);
        body = inflated;
    }
    if (whole != nullptr) {
        *whole = inflatedWhole;
    }
    const Detection found = detect(body, code);
    code = found.code;
    const std::string_view rest = body.substr(std::min(found.position, body.size()));
    if (code == kDetectEncoding && LooksLikeUtf8(rest)) {
        code = kUtf8;
    }
    Text result;
    if (const char* from = charsetName(code); from != nullptr && !rest.empty()) {
        result = text::ConvertCharset(rest, from, "GB18030");
    }
    if (result.empty()) {
        if (owner != nullptr && !gzipped) {
            result = std::move(*owner);
        } else {
            result.assign(body);
        }
        code = kLocalEncoding;
    }
    if (usedCode != nullptr) {
        *usedCode = code;
    }
    return result;
}

}  // namespace

Text DecodeResponseText(std::string_view body, int code, int* usedCode, bool* whole) {
    return decode(body, nullptr, code, usedCode, whole);
}

Text DecodeResponseText(ByteBuffer&& body, int code, int* usedCode, bool* whole) {
    return decode(body, &body, code, usedCode, whole);
}

int MetaCharset(std::string_view page) {
    std::string_view area = page;
    if (const std::size_t head = text::find(page, "<head>", 0, CaseMode::IgnoreAscii);
        head != text::npos) {
        const std::size_t start = head + 6;
        if (const std::size_t end = text::find(page, "</head>", start, CaseMode::IgnoreAscii);
            end != text::npos && end > start) {
            // An empty head section counts as none: the whole page is searched.
            area = page.substr(start, end - start);
        }
    }
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = text::find(area, "<meta", from, CaseMode::IgnoreAscii);
        if (open == text::npos) {
            return 0;
        }
        const std::size_t start = open + 5;
        const std::size_t close = text::find(area, ">", start);
        if (close == text::npos || close == start) {
            return 0;
        }
        const std::string_view tag = area.substr(start, close - start);
        int result = 1;
        for (const std::vector<Text>& list : metaCharsetLists()) {
            for (const Text& alternative : list) {
                if (text::contains(tag, alternative, CaseMode::IgnoreAscii)) {
                    return result;
                }
            }
            ++result;
        }
        from = close + 1;
    }
}

bool LooksLikeUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    bool sawNonAscii = false;
    std::size_t pos = 0;
    while (pos < size) {
        host::processPendingEvents();
        const unsigned char b = data[pos];
        if (b < 0x80) {
            ++pos;
        } else if (pos + 1 < size && (b & 0xE0) == 0xC0 && (data[pos + 1] & 0xC0) == 0x80) {
            pos += 2;
            sawNonAscii = true;
        } else if (pos + 2 < size && (b & 0xF0) == 0xE0 && (data[pos + 1] & 0xC0) == 0x80 &&
                   (data[pos + 2] & 0xC0) == 0x80) {
            pos += 3;
            sawNonAscii = true;
        } else {
            return false;
        }
    }
    return sawNonAscii;
}

}  // namespace yc::http
