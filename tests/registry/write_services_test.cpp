// The stand-alone simulator writes a services table that leads the checker to its own RDAP
// service and WHOIS listener.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "registry/registry_checker.h"
#include "support/temp_dir.h"

extern char** environ;

namespace yc::registry {
namespace {

TEST(SimulatorServicesFile, PointsTheCheckerAtTheSimulator) {
    test::TempDir dir;
    std::string file = (dir.path() / "services.tsv").string();
    std::string program = YC_SIM_PATH;
    std::string flag = "--write-services";
    std::string pattern = "--free-pattern";
    std::string freeNames = R"([^.]*7\..*)";
    char* argv[] = {program.data(), flag.data(),      file.data(),
                    pattern.data(), freeNames.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    std::optional<ServicesTable> table;
    for (int i = 0; i < 100 && !table; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        table = ServicesTable::load(file);
    }
    ASSERT_TRUE(table);
    RegistryChecker checker(std::move(*table), {});
    const auto verdicts = checker.check({"abc7.com", "abc.net", "abc7.io", "abc.cn"});
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    const Verdict expected[] = {Verdict::Free, Verdict::Taken, Verdict::Free, Verdict::Taken};
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        EXPECT_EQ(verdicts[i].outcome.verdict, expected[i]) << verdicts[i].name;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace yc::registry
