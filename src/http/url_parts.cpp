// Splitting a request URL into scheme, host, port and path.
#include "http/url_parts.h"

#include <charconv>

#include "text/gbk_edit.h"

namespace yc::http {

UrlParts SplitUrl(std::string_view url) {
    UrlParts parts;
    const Text lower = text::asciiLower(url);
    parts.secure = lower.starts_with("https://");
    std::size_t skip = 0;
    if (parts.secure) {
        skip = 8;
    } else if (lower.starts_with("http://")) {
        skip = 7;
    }
    const std::size_t slash = url.find('/', skip);
    const std::string_view hostAndPort = std::string_view(lower).substr(
        skip, slash == std::string_view::npos ? slash : slash - skip);
    parts.path = slash == std::string_view::npos ? Text("/") : Text(url.substr(slash));

    const std::size_t colon = hostAndPort.find(':');
    parts.host = Text(hostAndPort.substr(0, colon));
    int explicitPort = 0;
    if (colon != std::string_view::npos) {
        const std::string_view digits = hostAndPort.substr(colon + 1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), explicitPort);
        if (error != std::errc() || end != digits.data() + digits.size() || explicitPort < 1 ||
            explicitPort > 65535) {
            explicitPort = 0;
        }
    }
    if (explicitPort != 0) {
        parts.port = explicitPort;
    } else {
        parts.port = parts.secure || lower.starts_with("https") ? 443 : 80;
    }
    return parts;
}

Text ComposeUrl(const UrlParts& parts) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text out = parts.secure ? "https://" : "http://";
    out += parts.host;
    out += ':';
    out += std::to_string(parts.port);
    for (const char c : parts.path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace yc::http
