#include <unicode/ucnv.h>

#include <array>
#include <memory>

#include "http/response_decoding.h"

namespace yc::http {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

}  // namespace

ByteBuffer ConvertCharset(std::string_view bytes, const char* from, const char* to) {
    ConverterPtr source = openConverter(from);
    ConverterPtr target = openConverter(to);
    if (!source || !target || bytes.empty()) {
        return {};
    }
    std::array<UChar, 4096> pivot{};
    UChar* pivotSource = pivot.data();
    UChar* pivotTarget = pivot.data();
    const char* in = bytes.data();
    const char* const inEnd = bytes.data() + bytes.size();
    std::array<char, 65536> chunk{};
    ByteBuffer out;
    out.reserve(bytes.size() + bytes.size() / 2);
    UErrorCode status = U_ZERO_ERROR;
    bool first = true;
    do {
        status = U_ZERO_ERROR;
        char* outPos = chunk.data();
        ucnv_convertEx(target.get(), source.get(), &outPos, chunk.data() + chunk.size(), &in, inEnd,
                       pivot.data(), &pivotSource, &pivotTarget, pivot.data() + pivot.size(), first,
                       true, &status);
        first = false;
        out.append(chunk.data(), static_cast<std::size_t>(outPos - chunk.data()));
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    // A character cut off by the end of the body is dropped; everything before it stands.
    if (U_FAILURE(status) && status != U_TRUNCATED_CHAR_FOUND) {
        return {};
    }
    return out;
}

}  // namespace yc::http
