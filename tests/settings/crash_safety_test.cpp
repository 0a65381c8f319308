// A writer process killed with SIGKILL at random moments of its edits always leaves the settings
// file holding exactly one of the contents its edit script passes through.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>
#include <unordered_map>

#include "kill_script.h"
#include "support/temp_dir.h"

namespace yc::test {
namespace {

constexpr int kKills = 520;

/// Every content the script's file passes through, mapped to the number of edits before it.
std::unordered_map<std::string, int> scriptStates() {
    settings::SettingsStore store;
    store.SetContent(killScriptInitialContent(), false);
    std::unordered_map<std::string, int> states{{store.ContentText(), 0}};
    for (int step = 0; step < kKillScriptSteps; ++step) {
        performKillScriptStep(store, step);
        states.emplace(store.ContentText(), step + 1);
    }
    return states;
}

struct Writer {
    pid_t pid = -1;
    int output = -1;
};

Writer startWriter(const std::filesystem::path& file, int steps) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return {};
    }
    const std::string path = file.string();
    const std::string stepText = std::to_string(steps);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execl(YC_KILL_WRITER_PATH, YC_KILL_WRITER_PATH, path.c_str(), stepText.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    return Writer{pid, fds[0]};
}

bool waitForReady(const Writer& writer) {
    pollfd p{writer.output, POLLIN, 0};
    char c = 0;
    return ::poll(&p, 1, 10000) == 1 && ::read(writer.output, &c, 1) == 1 && c == 'R';
}

int finish(Writer& writer) {
    int status = 0;
    ::waitpid(writer.pid, &status, 0);
    ::close(writer.output);
    return status;
}

TEST(SettingsCrashSafety, KilledWriterLeavesAWholeStateEveryTime) {
    const std::unordered_map<std::string, int> states = scriptStates();
    ASSERT_GT(states.size(), 1000U);
    TempDir dir;
    const std::filesystem::path file = dir.path() / u8"设置.ini";
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayMicros(0, 3000);
    std::map<int, int> killsAtState;
    for (int kill = 0; kill < kKills; ++kill) {
        dir.write("设置.ini", killScriptInitialContent());
        Writer writer = startWriter(file, kKillScriptSteps);
        ASSERT_GT(writer.pid, 0);
        // Most kills land in the edits; every tenth one may land while the writer starts.
        if (kill % 10 != 0) {
            ASSERT_TRUE(waitForReady(writer)) << "writer did not bind, kill " << kill;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(writer.pid, SIGKILL);
        finish(writer);
        const auto state = states.find(TempDir::read(file));
        ASSERT_NE(state, states.end()) << "damaged file after kill " << kill;
        ++killsAtState[state->second];
    }
    std::cout << "kills: " << kKills << ", distinct states seen: " << killsAtState.size()
              << ", latest state: " << killsAtState.rbegin()->first << "\n";
    EXPECT_GT(killsAtState.size(), 10U) << "the kills did not land among the edits";
}

TEST(SettingsCrashSafety, WriterRunToTheEndMatchesTheReplay) {
    TempDir dir;
    const std::filesystem::path file = dir.write("s.ini", killScriptInitialContent());
    Writer writer = startWriter(file, 400);
    ASSERT_TRUE(waitForReady(writer));
    const int status = finish(writer);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    settings::SettingsStore replay;
    replay.SetContent(killScriptInitialContent(), false);
    for (int step = 0; step < 400; ++step) {
        performKillScriptStep(replay, step);
    }
    EXPECT_EQ(TempDir::read(file), replay.ContentText());
}

TEST(SettingsCrashSafety, SecondProcessCannotHoldTheFile) {
    TempDir dir;
    const std::filesystem::path file = dir.write("s.ini", killScriptInitialContent());
    settings::SettingsStore holder;
    ASSERT_TRUE(holder.Bind(file.string(), 0));
    Writer writer = startWriter(file, 1);
    const int status = finish(writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "the writer bound a held file";
    holder.Close();
    Writer second = startWriter(file, 1);
    const int after = finish(second);
    EXPECT_TRUE(WIFEXITED(after) && WEXITSTATUS(after) == 0) << "the file stayed held";
}

}  // namespace
}  // namespace yc::test
