// Write-through cost of the settings store: 1,000 WriteValue calls on a 200-entry settings file
// held in bind mode 0, each one replacing the file on disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settings_store.h"

namespace {

constexpr int kEntries = 200;
constexpr int kWrites = 1000;

std::string sectionName(int i) {
    return std::string("S").append(std::to_string(i / 50));
}
std::string keyName(int i) {
    return std::string("key").append(std::to_string(i));
}

/// Four sections of 50 entries, values of 20 to 40 bytes.
std::string settingsFile() {
    std::string content;
    for (int i = 0; i < kEntries; ++i) {
        if (i % 50 == 0) {
            content.append(i == 0 ? "[" : "\r\n[").append(sectionName(i)).append("]");
        }
        content.append("\r\n").append(keyName(i)).append("=");
        content.append(20 + static_cast<std::size_t>(i % 21), 'v');
    }
    return content;
}

class Folder {
  public:
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "yc-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string(".");
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::filesystem::path path() const { return path_; }

  private:
    std::filesystem::path path_;
};

void BM_WriteThrough1000Writes(benchmark::State& state) {
    Folder folder;
    const std::filesystem::path file = folder.path() / "settings.ini";
    std::ofstream(file, std::ios::binary) << settingsFile();
    yc::settings::SettingsStore store;
    if (!store.Bind(file.string(), 0)) {
        state.SkipWithError("cannot hold the settings file");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        for (int w = 0; w < kWrites; ++w) {
            const int entry = (w * 37) % kEntries;
            // Every write changes its entry (length and bytes), so every one replaces the file.
            std::string value(static_cast<std::size_t>(w % 30), 'x');
            value.append(std::to_string(w)).append("-").append(std::to_string(round));
            if (store.WriteValue(sectionName(entry), keyName(entry), value, false) != 0) {
                state.SkipWithError("write failed");
                return;
            }
        }
        ++round;
    }
}
BENCHMARK(BM_WriteThrough1000Writes)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The ways one edit could replace a 6 KB file, for comparison with what the store does
/// (0: write a temporary file and exchange it in, then remove the old one; 1: rename the
/// temporary file over the old one; 2: as 0, with fdatasync before the exchange).
void BM_ReplaceStrategy(benchmark::State& state) {
    Folder folder;
    const std::string target = (folder.path() / "settings.ini").string();
    const std::string temp = target + ".tmp";
    const std::string content = settingsFile();
    std::ofstream(target, std::ios::binary) << content;
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const bool written =
            fd >= 0 &&
            ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
            (state.range(0) != 2 || ::fdatasync(fd) == 0);
        ::close(fd);
        const bool swapped = state.range(0) == 1
                                 ? ::rename(temp.c_str(), target.c_str()) == 0
                                 : ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(),
                                               RENAME_EXCHANGE) == 0 &&
                                       ::unlink(temp.c_str()) == 0;
        if (!written || !swapped) {
            state.SkipWithError("file operation failed");
            return;
        }
    }
}
BENCHMARK(BM_ReplaceStrategy)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
