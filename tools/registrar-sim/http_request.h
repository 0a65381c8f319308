// Reading the simulator's requests off a connection: request line, header lines and body, kept
// byte for byte for the request log.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "connection_stream.h"

namespace yc::sim {

/// Largest request head accepted; the body may be up to 64 times as long.
inline constexpr std::size_t kMaxHeadBytes = 1 << 20;

struct Request {
    std::string raw;
    std::string method;
    std::string path;  ///< without the query
    std::string head;  ///< the header lines, CR LF separated
    std::string body;
};

/// The value of the first header line named `name` (any letter case), trimmed; empty when absent.
std::string headerValue(const std::string& head, std::string_view name);

/// Reads one request from `pending` plus the stream, leaving any bytes after it in `pending`.
/// False when the connection ends first or the request cannot be read.
bool readRequest(ConnectionStream& stream, std::string& pending, Request& request);

}  // namespace yc::sim
