// Gzip inflation of a response body, bounded so that a gzip bomb cannot exhaust memory.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::http {

/// Largest inflated body kept; a gzip bomb ends there with what was inflated so far.
inline constexpr std::size_t kMaxInflatedBytes = std::size_t{64} << 20;

/// Inflates a gzip stream, every member of it when several are concatenated. A truncated,
/// damaged or oversized stream gives what was inflated up to the fault, and `whole` (when given)
/// is then false.
ByteBuffer GzipInflate(std::string_view bytes, bool* whole = nullptr);

}  // namespace yc::http
