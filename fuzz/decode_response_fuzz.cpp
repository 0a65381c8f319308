// Fuzzes the decoding of response bodies: the first byte picks the encoding code (-1 to 7), the
// rest is the body. Any input must decode without a crash, a hang or an out-of-bounds read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "http/response_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int code = static_cast<int>(data[0] % 9) - 1;
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    int used = 0;
    const yc::Text text = yc::http::DecodeResponseText(body, code, &used);
    if (used < 1 || (used > 6 && used != code)) {
        __builtin_trap();  // the code reported must be one the text was read with
    }
    static_cast<void>(text);
    return 0;
}
