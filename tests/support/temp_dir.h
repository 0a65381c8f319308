// A fresh directory under the system's temporary folder, removed with its contents on scope exit.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace yc::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Writes `bytes` to `name` inside the directory and returns the file's path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;
    /// The whole content of a file, or an empty string when it cannot be read.
    static std::string read(const std::filesystem::path& file);

  private:
    std::filesystem::path path_;
};

}  // namespace yc::test
