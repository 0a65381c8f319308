// The folder the program writes its files to: the program folder while writable, otherwise the
// user's configuration folder for the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/program_files.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"

namespace yc::app {
namespace {

// Sets an environment variable for the length of a test, then puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(value);
    }
    ~ScopedEnv() { set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void set(const std::optional<std::string>& value) {
        value ? setenv(name_, value->c_str(), 1) : unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

class DataFolderTest : public testing::Test {
  protected:
    // A folder nobody can write to, whoever runs the tests: it lies under a regular file.
    Text unwritableFolder() const {
        return text::fromSystemPath(dir.write("program", "not a folder") / "bin");
    }
    test::TempDir dir;
};

TEST_F(DataFolderTest, WritableProgramFolderIsUsedAsItIs) {
    const Text folder = text::fromSystemPath(dir.path());
    EXPECT_EQ(dataFolder(folder), folder);
}

TEST_F(DataFolderTest, UnwritableProgramFolderGivesTheConfigHomeFolderCreated) {
    ScopedEnv config("XDG_CONFIG_HOME", (dir.path() / "config").string());
    const std::filesystem::path expected = dir.path() / "config" / "yuchaling";
    EXPECT_EQ(dataFolder(unwritableFolder()), text::fromSystemPath(expected));
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    EXPECT_EQ(defaultAutoSavePath(text::fromSystemPath(expected)),
              text::fromSystemPath(expected) + text::utf8ToGbk("/查询结果.txt"));
}

TEST_F(DataFolderTest, WithoutConfigHomeTheFolderIsUnderHome) {
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", (dir.path() / "home").string());
    EXPECT_EQ(dataFolder(unwritableFolder()),
              text::fromSystemPath(dir.path() / "home" / ".config" / "yuchaling"));
}

TEST_F(DataFolderTest, RelativeConfigHomeIsIgnored) {
    ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv home("HOME", (dir.path() / "home").string());
    EXPECT_EQ(dataFolder(unwritableFolder()),
              text::fromSystemPath(dir.path() / "home" / ".config" / "yuchaling"));
}

TEST_F(DataFolderTest, NoUsableFolderKeepsTheProgramFolder) {
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    const Text program = unwritableFolder();
    EXPECT_EQ(dataFolder(program), program);
}

}  // namespace
}  // namespace yc::app
