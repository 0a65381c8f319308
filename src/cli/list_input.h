// Reading the domain list for the command line: from a file or standard input, GBK unless the
// bytes are UTF-8 with non-ASCII characters, with bare LF line ends taken as CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::cli {

/// The list as the program holds it: GBK text with CR LF line ends.
Text listTextFromBytes(std::string_view bytes);

/// Reads `source` ("-" for standard input); on failure returns none and sets `error`.
std::optional<std::string> readInputBytes(const std::string& source, std::string& error);

}  // namespace yc::cli
