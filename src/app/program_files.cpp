#include "app/program_files.h"

#include <filesystem>

#include "text/charset.h"
#include "text/system_path.h"

namespace yc::app {

Text programFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return text::fromSystemPath(std::filesystem::current_path(error));
    }
    return text::fromSystemPath(exe.parent_path());
}

Text defaultAutoSavePath(const Text& folder) {
    return folder + YC_GBK("/查询结果.txt");
}

Text homepageAddress(const Text& folder) {
    const std::filesystem::path base = text::toSystemPath(folder);
    for (const auto& candidate : {base / "help" / "index.html",
                                  base / ".." / "share" / "yuchaling" / "help" / "index.html"}) {
        std::error_code error;
        if (std::filesystem::exists(candidate, error)) {
            return "file://" + text::fromSystemPath(std::filesystem::weakly_canonical(candidate));
        }
    }
    return "file://" + text::fromSystemPath(base / "help" / "index.html");
}

}  // namespace yc::app
