// GzipInflate on zlib.
#include "http/gzip_inflate.h"

#include <zlib.h>

#include <array>

namespace yc::http {

ByteBuffer GzipInflate(std::string_view bytes, bool* whole) {
    ByteBuffer out;
    bool ended = false;
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip wrapper is expected around the deflate data.
    if (inflateInit2(&stream, 16 + MAX_WBITS) == Z_OK) {
        std::array<unsigned char, 8192> chunk{};
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream.avail_in = static_cast<uInt>(bytes.size());
        for (;;) {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            const int result = inflate(&stream, Z_NO_FLUSH);
            const std::size_t produced = chunk.size() - stream.avail_out;
            if (produced > kMaxInflatedBytes - out.size()) {
                out.append(reinterpret_cast<const char*>(chunk.data()),
                           kMaxInflatedBytes - out.size());
                break;
            }
            out.append(reinterpret_cast<const char*>(chunk.data()), produced);
            if (result == Z_STREAM_END) {
                if (stream.avail_in == 0) {
                    ended = true;
                    break;
                }
                // Bytes after a member's trailer start the next member (concatenated gzip).
                if (inflateReset(&stream) != Z_OK) {
                    break;
                }
                continue;
            }
            // A damaged stream, or used-up input with nothing produced: a stream cut short.
            if (result != Z_OK || (produced == 0 && stream.avail_in == 0)) {
                break;
            }
        }
        inflateEnd(&stream);
    }
    if (whole != nullptr) {
        *whole = ended;
    }
    return out;
}

}  // namespace yc::http
