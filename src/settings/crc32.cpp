// The CRC-32 of a byte string, by zlib, and its text form.
#include "settings/crc32.h"

#include <zlib.h>

namespace yc::settings {

std::uint32_t crc32(std::string_view bytes) {
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    return static_cast<std::uint32_t>(crc32_z(crc32_z(0UL, nullptr, 0), data, bytes.size()));
}

Text crc32Text(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::uint32_t value = crc32(bytes);
    Text reversed;
    do {
        reversed.push_back(kDigits[value & 0xFU]);
        value >>= 4;
    } while (value != 0);
    return Text(reversed.rbegin(), reversed.rend());
}

}  // namespace yc::settings
