// Compresses bytes into a gzip stream, as a server sends a body with Content-Encoding: gzip.
#pragma once

#include <string>
#include <string_view>

namespace yc::sim {

std::string gzipDeflate(std::string_view bytes);

}  // namespace yc::sim
