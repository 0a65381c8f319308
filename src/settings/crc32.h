// The standard CRC-32 (reflected polynomial 0xEDB88320, start value all ones, final inversion),
// computed by zlib, and its text form used for control-state fingerprints.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::settings {

std::uint32_t crc32(std::string_view bytes);

/// Uppercase hexadecimal without leading zeros; an empty byte string gives an empty text.
Text crc32Text(std::string_view bytes);

}  // namespace yc::settings
