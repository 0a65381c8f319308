// The folders the program writes its files to: a portable copy's program folder (or the user's
// configuration folder when it is not writable), an installed copy's XDG folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "host/program_files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"

namespace yc::host {
namespace {

using test::ScopedEnv;

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
    EXPECT_EQ(portableFolder(folder), folder);
}

TEST_F(DataFolderTest, UnwritableProgramFolderGivesTheConfigHomeFolderCreated) {
    ScopedEnv config("XDG_CONFIG_HOME", (dir.path() / "config").string());
    const std::filesystem::path expected = dir.path() / "config" / "yuchaling";
    EXPECT_EQ(portableFolder(unwritableFolder()), text::fromSystemPath(expected));
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    EXPECT_EQ(defaultAutoSavePath(text::fromSystemPath(expected)),
              text::fromSystemPath(expected) + text::utf8ToGbk("/查询结果.txt"));
}

TEST_F(DataFolderTest, WithoutConfigHomeTheFolderIsUnderHome) {
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", (dir.path() / "home").string());
    EXPECT_EQ(portableFolder(unwritableFolder()),
              text::fromSystemPath(dir.path() / "home" / ".config" / "yuchaling"));
}

TEST_F(DataFolderTest, RelativeConfigHomeIsIgnored) {
    ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv home("HOME", (dir.path() / "home").string());
    EXPECT_EQ(portableFolder(unwritableFolder()),
              text::fromSystemPath(dir.path() / "home" / ".config" / "yuchaling"));
}

TEST_F(DataFolderTest, NoUsableFolderKeepsTheProgramFolder) {
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    const Text program = unwritableFolder();
    EXPECT_EQ(portableFolder(program), program);
}

// A binary folder laid out as the install lays it: the executable's folder with the program's
// data folder beside it.
class InstalledFilesTest : public testing::Test {
  protected:
    InstalledFilesTest() {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(bin / YC_BINDIR_TO_DATADIR / "yuchaling" / "help");
    }
    ProgramFiles files() const {
        return programFiles(text::fromSystemPath(bin), text::utf8ToGbk("翎杉·域查灵.ini"));
    }
    Text under(const char* relative) const { return text::fromSystemPath(dir.path() / relative); }

    test::TempDir dir;
    std::filesystem::path bin = dir.path() / "prefix" / "bin";
    ScopedEnv config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
    ScopedEnv data{"XDG_DATA_HOME", (dir.path() / "data").string()};
};

TEST_F(InstalledFilesTest, SettingsGoToTheConfigHomeAndDataToTheDataHomeBothCreated) {
    const ProgramFiles f = files();
    EXPECT_EQ(f.settingsFolder, under("config/yuchaling"));
    EXPECT_EQ(f.dataFolder, under("data/yuchaling"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "config" / "yuchaling"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "data" / "yuchaling"));
}

TEST_F(InstalledFilesTest, WithoutXdgVariablesTheFoldersAreUnderHome) {
    ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv noData("XDG_DATA_HOME", "relative/data");
    ScopedEnv home("HOME", (dir.path() / "home").string());
    const ProgramFiles f = files();
    EXPECT_EQ(f.settingsFolder, under("home/.config/yuchaling"));
    EXPECT_EQ(f.dataFolder, under("home/.local/share/yuchaling"));
}

TEST_F(InstalledFilesTest, ASettingsFileBesideTheExecutableKeepsTheCopyPortable) {
    std::ofstream(bin / "翎杉·域查灵.ini");
    const ProgramFiles f = files();
    EXPECT_EQ(f.settingsFolder, text::fromSystemPath(bin));
    EXPECT_EQ(f.dataFolder, text::fromSystemPath(bin));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "config"));
}

TEST_F(InstalledFilesTest, AFolderWithoutTheInstalledDataBesideItIsPortable) {
    const std::filesystem::path build = dir.path() / "build" / "bin";
    std::filesystem::create_directories(build);
    const ProgramFiles f =
        programFiles(text::fromSystemPath(build), text::utf8ToGbk("翎杉·域查灵.ini"));
    EXPECT_EQ(f.settingsFolder, text::fromSystemPath(build));
    EXPECT_EQ(f.dataFolder, text::fromSystemPath(build));
}

TEST_F(InstalledFilesTest, TheHomepageIsTheInstalledHelpPage) {
    const std::filesystem::path page =
        bin / YC_BINDIR_TO_DATADIR / "yuchaling" / "help" / "index.html";
    std::ofstream(page) << "<html></html>";
    EXPECT_EQ(homepageAddress(text::fromSystemPath(bin)),
              "file://" + text::fromSystemPath(std::filesystem::weakly_canonical(page)));
}

TEST(CacheFolderTest, FollowsXdgCacheHomeThenHomeAndIsCreated) {
    const test::TempDir xdg;
    const test::TempDir home;
    const ScopedEnv homeVariable("HOME", home.path().string());
    {
        const ScopedEnv cache("XDG_CACHE_HOME", xdg.path().string());
        EXPECT_EQ(userCacheFolder(), xdg.path() / "yuchaling");
        EXPECT_TRUE(std::filesystem::is_directory(xdg.path() / "yuchaling"));
    }
    for (const std::optional<std::string>& ignored :
         {std::optional<std::string>(), std::optional<std::string>("relative")}) {
        const ScopedEnv cache("XDG_CACHE_HOME", ignored);
        EXPECT_EQ(userCacheFolder(), home.path() / ".cache" / "yuchaling");
        EXPECT_TRUE(std::filesystem::is_directory(home.path() / ".cache" / "yuchaling"));
    }
}

TEST(CacheFolderTest, EmptyWhenItCannotBeNamedOrMade) {
    const test::TempDir dir;
    {
        const ScopedEnv cache("XDG_CACHE_HOME", std::nullopt);
        const ScopedEnv home("HOME", std::nullopt);
        EXPECT_EQ(userCacheFolder(), std::filesystem::path());
    }
    const ScopedEnv cache("XDG_CACHE_HOME", dir.write("file", "not a folder").string());
    EXPECT_EQ(userCacheFolder(), std::filesystem::path());
}

}  // namespace
}  // namespace yc::host
