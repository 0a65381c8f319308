// Writing a results file and keeping its first write error.
#include "query/result_file.h"

#include <cerrno>
#include <cstring>

#include "text/charset.h"
#include "text/system_path.h"

namespace yc::query {

ResultFile::ResultFile(std::string_view gbkPath, Mode mode) {
    file_ = std::fopen(text::toSystemPath(gbkPath).c_str(), mode == Mode::Append ? "ab" : "wb");
    if (file_ == nullptr) {
        fail();
    }
}

ResultFile::ResultFile(std::FILE* stream) : file_(stream), owned_(false) {}

ResultFile::~ResultFile() {
    close();
}

void ResultFile::fail() {
    const int code = errno;
    if (error_.empty()) {
        // The system words the reason in the user's language and encoding (UTF-8 here); other
        // encodings fall back to the untranslated wording.
        const std::string_view reason = std::strerror(code);
        error_ = text::isValidUtf8(reason) ? text::utf8ToGbk(reason) : strerrordesc_np(code);
    }
}

void ResultFile::write(std::string_view bytes) {
    if (file_ == nullptr || bytes.empty() || !error_.empty()) {
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail();
    }
}

bool ResultFile::flush() {
    if (file_ != nullptr && std::fflush(file_) != 0) {
        fail();
    }
    return error_.empty();
}

bool ResultFile::close() {
    if (file_ != nullptr) {
        if (std::fflush(file_) != 0) {
            fail();
        }
        if (owned_ && std::fclose(file_) != 0) {
            fail();
        }
        file_ = nullptr;
    }
    return error_.empty();
}

}  // namespace yc::query
