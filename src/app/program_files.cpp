#include "app/program_files.h"

#include <unistd.h>

#include <cstdlib>
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

namespace {

bool writableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

// $XDG_CONFIG_HOME/yuchaling, or ~/.config/yuchaling; empty when neither can be named.
std::filesystem::path userConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && std::filesystem::path(configHome).is_absolute()) {
        return std::filesystem::path(configHome) / "yuchaling";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".config" / "yuchaling";
    }
    return {};
}

}  // namespace

Text dataFolder(const Text& programFolder) {
    if (writableFolder(text::toSystemPath(programFolder))) {
        return programFolder;
    }
    const std::filesystem::path folder = userConfigFolder();
    if (folder.empty()) {
        return programFolder;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        // Nowhere better: files then fail to open in the program folder and the user is told why.
        return programFolder;
    }
    return text::fromSystemPath(folder);
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
