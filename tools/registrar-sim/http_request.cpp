// Reading one HTTP request off a connection, byte for byte.
#include "http_request.h"

#include <charconv>

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::sim {

std::string headerValue(const std::string& head, std::string_view name) {
    for (const std::string& line : text::split(head, "\r\n")) {
        if (line.size() > name.size() && line[name.size()] == ':' &&
            text::matchesAt(line, 0, name, text::CaseMode::IgnoreAscii)) {
            return text::trimSpaces(std::string_view(line).substr(name.size() + 1));
        }
    }
    return {};
}

bool readRequest(ConnectionStream& stream, std::string& pending, Request& request) {
    char chunk[16384];
    std::size_t headEnd = std::string::npos;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
        if (pending.size() > kMaxHeadBytes) {
            return false;
        }
        const long n = stream.read(chunk, sizeof chunk);
        if (n <= 0) {
            return false;
        }
        pending.append(chunk, static_cast<std::size_t>(n));
    }
    const std::string head = pending.substr(0, headEnd);
    const std::size_t lineEnd = head.find("\r\n");
    const std::string requestLine = head.substr(0, lineEnd);
    request.head = lineEnd == std::string::npos ? std::string() : head.substr(lineEnd + 2);
    const std::size_t space1 = requestLine.find(' ');
    const std::size_t space2 = requestLine.find(' ', space1 + 1);
    if (space1 == std::string::npos || space2 == std::string::npos) {
        return false;
    }
    request.method = requestLine.substr(0, space1);
    const std::string target = requestLine.substr(space1 + 1, space2 - space1 - 1);
    request.path = target.substr(0, target.find('?'));
    const std::string lengthText = headerValue(request.head, "Content-Length");
    std::size_t length = 0;
    const auto [end, error] =
        std::from_chars(lengthText.data(), lengthText.data() + lengthText.size(), length);
    if ((!lengthText.empty() &&
         (error != std::errc() || end != lengthText.data() + lengthText.size())) ||
        length > kMaxHeadBytes * 64) {
        return false;
    }
    const std::size_t total = headEnd + 4 + length;
    while (pending.size() < total) {
        const long n = stream.read(chunk, sizeof chunk);
        if (n <= 0) {
            return false;
        }
        pending.append(chunk, static_cast<std::size_t>(n));
    }
    request.raw = pending.substr(0, total);
    request.body = pending.substr(headEnd + 4, length);
    pending.erase(0, total);
    return true;
}

}  // namespace yc::sim
