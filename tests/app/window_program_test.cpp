// The window program as a process: a copy of the executable in a folder of its own, started the
// way a user or the session starts it, with the files it leaves behind read back.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"
#include "text/charset.h"

extern char** environ;

namespace {

using yc::test::TempDir;
namespace fs = std::filesystem;

class WindowProgramTest : public testing::Test {
  protected:
    WindowProgramTest() {
        fs::copy_file(YC_WINDOW_PROGRAM_PATH, program());
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    fs::path program() const { return dir.path() / "yuchaling"; }
    fs::path settingsFile() const { return dir.path() / "翎杉·域查灵.ini"; }
    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    TempDir outputs;
};

struct AnsweredLine {
    const char* argument;
    int status;
    const char* printed;  ///< expected in standard output, or standard error for an error
};

TEST_F(WindowProgramTest, HelpVersionAndUsageErrorsAnswerWithoutCreatingAFile) {
    for (const AnsweredLine& line :
         {AnsweredLine{"--help", 0, "usage: yuchaling"},
          AnsweredLine{"--version", 0, "yuchaling 1.0.3.0"}, AnsweredLine{"--bogus", 2, "--help"},
          AnsweredLine{"stray", 2, "stray"}}) {
        const fs::path out = outputs.path() / "out.txt";
        const std::string command = "timeout 20 '" + program().string() + "' " + line.argument +
                                    " > '" + out.string() + "' 2>&1";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, line.status) << line.argument;
        EXPECT_NE(TempDir::read(out).find(line.printed), std::string::npos) << line.argument;
        EXPECT_EQ(filesInFolder(), std::vector<std::string>{"yuchaling"}) << line.argument;
    }
}

TEST_F(WindowProgramTest, TerminationSignalsSaveTheWindowStateAsACloseDoes) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        fs::remove(settingsFile());
        const std::string path = program().string();
        char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ), 0);
        // The settings file is bound before the window is built; give the window time to come up.
        for (int i = 0; i < 100 && !fs::exists(settingsFile()); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ::kill(pid, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "signal " << signal;
        const std::string saved = TempDir::read(settingsFile());
        EXPECT_NE(saved.find(yc::text::utf8ToGbk("[主界面]\r\n按钮输入域名列表.标记=")),
                  std::string::npos)
            << "signal " << signal;
    }
}

}  // namespace
