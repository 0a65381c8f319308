// The build installed into a temporary prefix, as `cmake --install` lays it out for a user or a
// package: every file in its place, and the installed window program writing its settings to the
// user's XDG folders while a portable copy keeps them beside itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using yc::test::TempDir;

const fs::path kSettingsFile = "翎杉·域查灵.ini";

class InstalledLayoutTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string command = std::string("'") + YC_CMAKE + "' --install '" + YC_BUILD_DIR +
                                    "' --prefix '" + prefix.string() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    fs::path bin() const { return prefix / YC_INSTALL_BINDIR; }

    // Starts the window program at `exe` offscreen, with HOME and the XDG folders inside the
    // test's directory, and gives the settings file it holds open once it is up (empty when none
    // within 30 s); the program is ended again.
    fs::path heldSettingsFile(const fs::path& exe) const {
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen",
                                        "HOME=" + (dir.path() / "home").string(),
                                        "XDG_CONFIG_HOME=" + (dir.path() / "config").string(),
                                        "XDG_DATA_HOME=" + (dir.path() / "data").string()};
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            if (!entry.starts_with("HOME=") && !entry.starts_with("XDG_") &&
                !entry.starts_with("QT_QPA_PLATFORM=")) {
                env.push_back(entry);
            }
        }
        std::vector<char*> envp;
        for (auto& entry : env) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        std::string path = exe.string();
        char* argv[] = {path.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
            return {};
        }
        fs::path held;
        for (int i = 0; i < 600 && held.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            held = openFileNamed(pid, kSettingsFile);
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return held;
    }

    // A file named `name` that process `pid` has open, found through /proc.
    static fs::path openFileNamed(pid_t pid, const fs::path& name) {
        std::error_code error;
        for (const auto& fd :
             fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
            const fs::path target = fs::read_symlink(fd.path(), error);
            if (!error && target.filename() == name) {
                return target;
            }
        }
        return {};
    }

    TempDir dir;
    fs::path prefix = dir.path() / "prefix";
};

TEST_F(InstalledLayoutTest, EveryFileGoesToItsStandardFolder) {
    const fs::path share = prefix / YC_INSTALL_DATADIR;
    const fs::path man = prefix / YC_INSTALL_MANDIR / "man1";
    for (const fs::path& file :
         {bin() / "yuchaling", bin() / "yuchaling-cli", bin() / "yuchaling-registrar-sim",
          man / "yuchaling.1.gz", man / "yuchaling-cli.1.gz", man / "yuchaling-registrar-sim.1.gz",
          share / "yuchaling" / "help" / "index.html", share / "applications" / "yuchaling.desktop",
          share / "icons" / "hicolor" / "scalable" / "apps" / "yuchaling.svg",
          share / "icons" / "hicolor" / "48x48" / "apps" / "yuchaling.png",
          share / "icons" / "hicolor" / "128x128" / "apps" / "yuchaling.png",
          share / "icons" / "hicolor" / "256x256" / "apps" / "yuchaling.png",
          share / "metainfo" / "example.yuchaling.Yuchaling.metainfo.xml",
          share / "doc" / "yuchaling" / "copyright", share / "doc" / "yuchaling-cli" / "copyright",
          share / "doc" / "yuchaling-registrar-sim" / "copyright"}) {
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    }
}

TEST_F(InstalledLayoutTest, InstalledProgramKeepsItsSettingsInTheConfigHome) {
    EXPECT_EQ(heldSettingsFile(bin() / "yuchaling"),
              dir.path() / "config" / "yuchaling" / kSettingsFile);
    EXPECT_TRUE(fs::is_directory(dir.path() / "data" / "yuchaling"));
    EXPECT_FALSE(fs::exists(bin() / kSettingsFile));
}

TEST_F(InstalledLayoutTest, CopyOutsideTheInstalledFolderKeepsItsSettingsBesideItself) {
    const fs::path portable = dir.path() / "portable";
    fs::create_directories(portable);
    fs::copy_file(bin() / "yuchaling", portable / "yuchaling");
    EXPECT_EQ(heldSettingsFile(portable / "yuchaling"), portable / kSettingsFile);
    EXPECT_FALSE(fs::exists(dir.path() / "config" / "yuchaling"));
}

TEST_F(InstalledLayoutTest, SettingsFileBesideTheInstalledProgramKeepsItPortable) {
    std::ofstream(bin() / kSettingsFile).close();
    EXPECT_EQ(heldSettingsFile(bin() / "yuchaling"), bin() / kSettingsFile);
    EXPECT_FALSE(fs::exists(dir.path() / "config" / "yuchaling"));
}

}  // namespace
