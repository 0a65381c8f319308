#include <zlib.h>

#include <algorithm>
#include <array>

#include "http/response_decoding.h"

namespace yc::http {

ByteBuffer GzipInflate(std::string_view bytes) {
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip wrapper is expected around the deflate data.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        return {};
    }
    ByteBuffer out;
    std::array<unsigned char, 8192> chunk{};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int result = Z_OK;
    while (result == Z_OK && out.size() < kMaxInflatedBytes) {
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(chunk.size());
        result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = chunk.size() - stream.avail_out;
        out.append(reinterpret_cast<const char*>(chunk.data()),
                   std::min(produced, kMaxInflatedBytes - out.size()));
        // Used-up input with nothing produced is a stream cut short: stop with what we have.
        if (result == Z_BUF_ERROR || (produced == 0 && stream.avail_in == 0)) {
            break;
        }
    }
    inflateEnd(&stream);
    return out;
}

}  // namespace yc::http
