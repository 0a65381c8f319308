#include "settings/crc32.h"

#include <array>

namespace yc::settings {
namespace {

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        }
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = makeTable();

}  // namespace

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        c = kTable[(c ^ static_cast<unsigned char>(byte)) & 0xFFU] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFU;
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
