// Turns bare words into names: every line without a suffix of its own ("hello") becomes one line
// per suffix ("hello.com", "hello.net"), optionally with words added before or after it. Lines
// that already hold a suffix are kept as they are. The result is an ordinary list text, so the
// generated names go through the same preparation as typed ones.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::query {

struct NameExpansion {
    std::vector<Text> suffixes;     ///< without the dot: "com", "com.cn"
    std::vector<Text> prefixes;     ///< words put before each bare word
    std::vector<Text> suffixWords;  ///< words put after each bare word
};

/// The suffixes of a comma- or space-separated text such as "com,net .cn" or a preset name:
/// "@cn" (com, cn, com.cn, net, top, wang, vip, xyz), "@popular" (com, net, org, io, ai, co, app,
/// dev). Presets and plain suffixes may be mixed; repeats are dropped. None for an unknown preset.
std::optional<std::vector<Text>> ParseSuffixList(std::string_view text);

/// The comma- or space-separated words of `text`, for prefixes and suffix words.
std::vector<Text> ParseWordList(std::string_view text);

/// How many lines ExpandNames would give, without building them.
std::size_t ExpandedLineCount(std::string_view listText, const NameExpansion& expansion);

/// The list with every bare word expanded, in input order; lines end with CR LF.
Text ExpandNames(std::string_view listText, const NameExpansion& expansion);

/// Above this many names an expansion asks before it is made.
inline constexpr std::size_t kLargeExpansion = 1'000'000;

}  // namespace yc::query
