// The program's folders under the XDG rules, and the files shipped beside it or installed.
#include "host/program_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "text/charset.h"
#include "text/system_path.h"

namespace yc::host {

Text programFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return text::fromSystemPath(std::filesystem::current_path(error));
    }
    return text::fromSystemPath(exe.parent_path());
}

namespace {

namespace fs = std::filesystem;

bool writableFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

// The program's folder under an XDG base folder: $variable/yuchaling, or ~/fallback/yuchaling;
// empty when neither can be named.
fs::path userFolder(const char* variable, const fs::path& fallback) {
    const char* base = std::getenv(variable);
    if (base != nullptr && fs::path(base).is_absolute()) {
        return fs::path(base) / "yuchaling";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / fallback / "yuchaling";
    }
    return {};
}

bool createFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

// The installed data folder that belongs to a binary folder: the install layout puts it at
// YC_BINDIR_TO_DATADIR (for example ../share) from the binaries, as `yuchaling`.
fs::path installedDataFolder(const fs::path& binaryFolder) {
    return binaryFolder / YC_BINDIR_TO_DATADIR / "yuchaling";
}

}  // namespace

Text portableFolder(const Text& programFolder) {
    if (writableFolder(text::toSystemPath(programFolder))) {
        return programFolder;
    }
    const fs::path folder = userFolder("XDG_CONFIG_HOME", ".config");
    if (folder.empty() || !createFolder(folder)) {
        // Nowhere better: files then fail to open in the program folder and the user is told why.
        return programFolder;
    }
    return text::fromSystemPath(folder);
}

ProgramFiles programFiles(const Text& programFolder, const Text& settingsFileName) {
    const fs::path folder = text::toSystemPath(programFolder);
    std::error_code error;
    const bool installed = fs::is_directory(installedDataFolder(folder), error) &&
                           !fs::exists(folder / text::toSystemPath(settingsFileName), error);
    const fs::path config = userFolder("XDG_CONFIG_HOME", ".config");
    const fs::path data = userFolder("XDG_DATA_HOME", fs::path(".local") / "share");
    if (!installed || config.empty() || data.empty()) {
        const Text portable = portableFolder(programFolder);
        return {portable, portable};
    }
    // A folder that cannot be created makes its files fail to open, as an unwritable file would.
    createFolder(config);
    createFolder(data);
    return {text::fromSystemPath(config), text::fromSystemPath(data)};
}

Text defaultAutoSavePath(const Text& folder) {
    return folder + YC_GBK("/查询结果.txt");
}

std::filesystem::path bundledFile(const Text& folder, const std::filesystem::path& name) {
    const fs::path base = text::toSystemPath(folder);
    for (const auto& candidate : {base / name, installedDataFolder(base) / name}) {
        std::error_code error;
        if (fs::exists(candidate, error)) {
            return fs::weakly_canonical(candidate, error);
        }
    }
    return {};
}

Text homepageAddress(const Text& folder) {
    const fs::path page = fs::path("help") / "index.html";
    const fs::path found = bundledFile(folder, page);
    return "file://" +
           text::fromSystemPath(found.empty() ? text::toSystemPath(folder) / page : found);
}

std::filesystem::path userCacheFolder() {
    const fs::path folder = userFolder("XDG_CACHE_HOME", ".cache");
    return !folder.empty() && createFolder(folder) ? folder : fs::path();
}

}  // namespace yc::host
