// Reading the domain list for the command line: from a file or standard input, in GBK, UTF-8 or
// UTF-16 (with a byte-order mark), with CR LF, LF or CR line ends. Nothing is converted lossily:
// a line that is not valid in the encoding used, or that holds a character GBK cannot hold, is
// an error naming the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "text/gbk_text.h"

namespace yc::cli {

/// The list as the program holds it, and how its bytes were read.
struct ListText {
    Text gbk;                                 ///< GBK text with CR LF line ends
    const char* encodingName = "GBK";         ///< "GBK", "UTF-8", "UTF-16LE" or "UTF-16BE"
    TextEncoding family = TextEncoding::Gbk;  ///< GBK, or UTF-8 for both Unicode forms
    bool guessed = false;                     ///< the encoding was told from non-ASCII bytes alone
};

/// Decodes `bytes` in `given` (none: a byte-order mark decides, else the guess); a byte-order
/// mark always wins. On failure returns none and sets `error`.
std::optional<ListText> decodeList(std::string_view bytes, std::optional<TextEncoding> given,
                                   std::string& error);

/// Reads `source` ("-" for standard input); on failure returns none and sets `error`.
std::optional<std::string> readInputBytes(const std::string& source, std::string& error);

}  // namespace yc::cli
