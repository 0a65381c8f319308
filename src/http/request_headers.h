// The request header rules of one exchange: the header lines taken from the caller's header
// text, the user agent taken from those lines, the default headers completed in their fixed
// order, and the cookies read back from the answer.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::http {

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/30.0.1599.101 Safari/537.36";

/// Request header lines in the order they go out: one header each, without its line end.
using HeaderLines = std::vector<Text>;

/// The lines of a header text whose lines are separated (or ended) by CR LF; empty lines are left
/// out.
HeaderLines SplitHeaderLines(std::string_view headers);

/// The agent named by the first line holding "User-Agent:" (that exact spelling): the rest of the
/// line, trimmed. Empty when the words are spelt in another case, or stand only in the last line
/// (the Referer line the page fetch adds, where they can only be part of the address); the
/// default agent when no line holds them at all.
Text UserAgentFor(std::span<const Text> headers);

/// `headers` followed by Accept, Referer, Accept-Language and, for a POST with a body,
/// Content-Type and Content-Length, each unless a line already names it (in any case, anywhere in
/// the line), then the Cookie line when `cookies` is not empty.
HeaderLines CompleteHeaders(std::span<const Text> headers, std::string_view url, bool post,
                            std::size_t bodyLength, std::string_view cookies);

/// The name=value part of every "Set-Cookie: " line of a raw header block, each followed by ";".
Text CollectReceivedCookies(std::string_view headerBlock);

}  // namespace yc::http
