// The percent-encoding of the bulk-check form's name list: GBK bytes as they are, letters and
// digits literal, '.', '_' and '-' literal, every other byte as %XX.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::query {

/// Window events are processed after each escaped byte, so a long batch keeps the window alive.
Text EncodeFormValue(std::string_view text);

/// Appends the encoding of `text` to `out`, as EncodeFormValue gives it.
void AppendFormValue(Text& out, std::string_view text);

/// How many bytes the encoding of `text` takes.
std::size_t FormValueLength(std::string_view text);

}  // namespace yc::query
