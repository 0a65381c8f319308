// The request header rules of one exchange: the user agent taken from the header text, the
// default headers completed in their fixed order, and the cookies read back from the answer.
#pragma once

#include <string_view>

#include "text/gbk_text.h"

namespace yc::http {

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/30.0.1599.101 Safari/537.36";

/// The agent named by a "User-Agent:" line of `headers` (that exact spelling), trimmed; empty when
/// the line is spelt in another case; the default agent when there is no such line at all.
Text UserAgentFor(std::string_view headers);

/// `headers` completed with Accept, Referer, Accept-Language and, for a POST with a body,
/// Content-Type and Content-Length, then the Cookie line when `cookies` is not empty.
Text CompleteHeaders(std::string_view headers, std::string_view url, bool post,
                     std::size_t bodyLength, std::string_view cookies);

/// The name=value part of every "Set-Cookie: " line of a raw header block, each followed by ";".
Text CollectReceivedCookies(std::string_view headerBlock);

}  // namespace yc::http
