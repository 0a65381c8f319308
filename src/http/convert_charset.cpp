#include <unicode/ucnv.h>

#include <array>

#include "http/response_decoding.h"
#include "text/icu_converters.h"

namespace yc::http {
namespace {

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

ByteBuffer ConvertCharset(std::string_view bytes, const char* from, const char* to) {
    // One converter cannot be both ends of a conversion, so a same-name target gets its own.
    text::ConverterPtr ownTarget = std::string_view(from) == to ? text::openConverter(to) : nullptr;
    UConverter* source = text::cachedConverter(from);
    UConverter* target = ownTarget ? ownTarget.get() : text::cachedConverter(to);
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
        const std::size_t asciiEnd = text::asciiRunEnd(bytes, pos, size);
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

}  // namespace yc::http
