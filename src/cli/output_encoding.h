// The encoding of the results the command line writes: GBK as the program holds them, or UTF-8.
// A terminal gets the encoding of its locale, so that the names it shows are readable.
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_options.h"

namespace yc::cli {

/// GBK when the locale's character set (LC_ALL, LC_CTYPE or LANG) is a GB one, else UTF-8.
TextEncoding terminalEncoding();

/// `gbk` in `encoding`.
std::string encodeOutput(std::string_view gbk, TextEncoding encoding);

}  // namespace yc::cli
