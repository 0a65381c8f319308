#include "cli/list_input.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>

#include "text/charset.h"

namespace yc::cli {

Text listTextFromBytes(std::string_view bytes) {
    const bool hasNonAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    const Text gbk = hasNonAscii && text::isValidUtf8(bytes) ? text::utf8ToGbk(bytes) : Text(bytes);
    Text lines;
    lines.reserve(gbk.size() + gbk.size() / 16);
    // LF is below every GBK trail byte, so a byte-wise pass cannot split a character.
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        if (gbk[i] == '\n' && (i == 0 || gbk[i - 1] != '\r')) {
            lines.push_back('\r');
        }
        lines.push_back(gbk[i]);
    }
    return lines;
}

std::optional<std::string> readInputBytes(const std::string& source, std::string& error) {
    std::FILE* file = source == "-" ? stdin : std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + source + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    if (file != stdin) {
        std::fclose(file);
    }
    if (failed) {
        error = "cannot read " + source + ": " + std::strerror(readErrno);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace yc::cli
