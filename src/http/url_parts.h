// Splits a request URL into the pieces a connection needs: secure flag, host, port and path.
#pragma once

#include <string_view>

#include "text/gbk_text.h"

namespace yc::http {

struct UrlParts {
    bool secure = false;
    Text host;  ///< lower-cased, without port
    int port = 80;
    Text path;  ///< from the first "/" after the host, letter case kept; "/" when there is none
};

/// A URL without "http://" or "https://" is read as plain http. An explicit port is used for
/// both schemes; without one, or with an unreadable one, the scheme's default port applies.
UrlParts SplitUrl(std::string_view url);

/// The URL rebuilt from its parts for the transfer library: bytes that a URL may not hold raw
/// (controls, space, non-ASCII) are percent-encoded in the path.
Text ComposeUrl(const UrlParts& parts);

}  // namespace yc::http
