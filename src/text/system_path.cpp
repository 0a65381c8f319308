// Converting paths between GBK texts and the file system's UTF-8 names.
#include "text/system_path.h"

#include "text/charset.h"

namespace yc::text {

std::filesystem::path toSystemPath(std::string_view gbkPath) {
    const std::string utf8 = gbkToUtf8(gbkPath);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

Text fromSystemPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return utf8ToGbk(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace yc::text
