#include "http/request_headers.h"

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using text::CaseMode;

bool has(std::string_view headers, std::string_view name) {
    return text::contains(headers, name, CaseMode::IgnoreAscii);
}

}  // namespace

Text UserAgentFor(std::string_view headers) {
    if (!has(headers, "User-Agent:")) {
        return Text(kDefaultUserAgent);
    }
    const std::size_t start = text::find(headers, "User-Agent:");
    if (start == text::npos) {
        return {};
    }
    const std::size_t valueStart = start + 11;
    const std::size_t end = text::find(headers, "\r\n", valueStart);
    if (end == text::npos) {
        return {};
    }
    return text::trimSpaces(headers.substr(valueStart, end - valueStart));
}

Text CompleteHeaders(std::string_view headers, std::string_view url, bool post,
                     std::size_t bodyLength, std::string_view cookies) {
    Text out(headers);
    if (!out.empty()) {
        out += "\r\n";
    }
    if (!has(out, "Accept")) {
        out +=
            "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
            "application/x-shockwave-flash, application/vnd.ms-excel, "
            "application/vnd.ms-powerpoint, application/msword, */*\r\n";
    }
    if (!has(out, "Referer")) {
        out += "Referer: ";
        out += url;
        out += "\r\n";
    }
    if (!has(out, "Accept-Language")) {
        out += "Accept-Language: zh-cn\r\n";
    }
    if (post && bodyLength > 0) {
        if (!has(out, "Content-Type")) {
            out += "Content-Type: application/x-www-form-urlencoded\r\n";
        }
        if (!has(out, "Content-Length")) {
            out += "Content-Length: " + std::to_string(bodyLength) + "\r\n";
        }
    }
    if (!cookies.empty()) {
        out += "Cookie: ";
        out += cookies;
        out += "\r\n\r\n";
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
