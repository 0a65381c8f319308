// The request header rules: header lines, user agent, completed defaults, received cookies.
#include "http/request_headers.h"

#include <algorithm>

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using text::CaseMode;

bool has(std::string_view line, std::string_view name) {
    return text::contains(line, name, CaseMode::IgnoreAscii);
}

// The names hold no line end, so some line holding one is the same test as the header text
// holding it.
bool has(std::span<const Text> lines, std::string_view name) {
    return std::ranges::any_of(lines, [name](const Text& line) { return has(line, name); });
}

}  // namespace

HeaderLines SplitHeaderLines(std::string_view headers) {
    HeaderLines lines = text::split(headers, "\r\n");
    std::erase_if(lines, [](const Text& line) { return line.empty(); });
    return lines;
}

Text UserAgentFor(std::span<const Text> headers) {
    if (!has(headers, "User-Agent:")) {
        return Text(kDefaultUserAgent);
    }
    for (std::size_t k = 0; k < headers.size(); ++k) {
        const std::size_t start = text::find(headers[k], "User-Agent:");
        if (start == text::npos) {
            continue;
        }
        // The value is read up to a line end, and the last line has none after it.
        if (k + 1 == headers.size()) {
            return {};
        }
        return text::trimSpaces(std::string_view(headers[k]).substr(start + 11));
    }
    return {};
}

HeaderLines CompleteHeaders(std::span<const Text> headers, std::string_view url, bool post,
                            std::size_t bodyLength, std::string_view cookies) {
    HeaderLines out(headers.begin(), headers.end());
    if (!has(out, "Accept")) {
        out.emplace_back(
            "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
            "application/x-shockwave-flash, application/vnd.ms-excel, "
            "application/vnd.ms-powerpoint, application/msword, */*");
    }
    if (!has(out, "Referer")) {
        out.push_back("Referer: " + Text(url));
    }
    if (!has(out, "Accept-Language")) {
        out.emplace_back("Accept-Language: zh-cn");
    }
    if (post && bodyLength > 0) {
        if (!has(out, "Content-Type")) {
            out.emplace_back("Content-Type: application/x-www-form-urlencoded");
        }
        if (!has(out, "Content-Length")) {
            out.push_back("Content-Length: " + std::to_string(bodyLength));
        }
    }
    if (!cookies.empty()) {
        out.push_back("Cookie: " + Text(cookies));
    }
    return out;
}

Text CollectReceivedCookies(std::string_view headerBlock) {
    Text cookies;
    if (!has(headerBlock, "Set-Cookie: ")) {
        return cookies;
    }
    for (const Text& line : text::split(headerBlock, "\r\n")) {
        if (!has(line, "Set-Cookie: ")) {
            continue;
        }
        const std::string_view rest =
            std::string_view(line).substr(std::min<std::size_t>(12, line.size()));
        const std::size_t semicolon = rest.find(';');
        if (semicolon != std::string_view::npos) {
            cookies += rest.substr(0, semicolon);
        }
        cookies += ';';
    }
    return cookies;
}

}  // namespace yc::http
