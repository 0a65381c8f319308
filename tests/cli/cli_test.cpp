// yuchaling-cli as a user runs it: a real process talking to the registrar simulator, with its
// exit status, standard output and output files read back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/registrar_sim.h"
#include "support/temp_dir.h"
#include "text/charset.h"

namespace {

using yc::sim::SimOptions;
using yc::test::freeDotCom;
using yc::test::RegistrarSim;
using yc::test::TempDir;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the command line program with `args`, feeding `input` on standard input.
Finished runCli(const TempDir& dir, const std::vector<std::string>& args,
                const std::string& input = "") {
    const auto in = dir.write("stdin.txt", input);
    std::string command = quote(YC_CLI_PATH);
    for (const auto& arg : args) {
        command += " " + quote(arg);
    }
    command += " < " + quote(in.string()) + " > " + quote((dir.path() / "out.txt").string()) +
               " 2> " + quote((dir.path() / "err.txt").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::read(dir.path() / "out.txt"),
            TempDir::read(dir.path() / "err.txt")};
}

std::string names(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += "www.n" + std::to_string(i) + (i % 2 == 0 ? ".com" : ".net") + "\n";
    }
    return list;
}

TEST(CliTest, ChecksEveryNameInBatchesOfFiftyAndPrintsTheFreeOnes) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const Finished run = runCli(dir, {"--registrar", sim.url(), "-"}, names(120));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(sim.requests().size(), 3u);
    EXPECT_EQ(run.out.substr(0, 16), "n0.com\r\nn2.com\r\n");
    EXPECT_NE(run.err.find("done: 120 of 120"), std::string::npos);
}

TEST(CliTest, WritesCsvWithHeaderAndEveryStateUnderFilterAll) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto input = dir.write("list.txt", yc::text::utf8ToGbk("中文.com\r\nb.net\r\n"));
    const std::string csv = (dir.path() / "r.CSV").string();
    const Finished run =
        runCli(dir, {"--registrar", sim.url(), "--filter", "all", "--output", csv, input.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempDir::read(csv),
              yc::text::utf8ToGbk("域名,未注册\r\n中文.com,是\r\nb.net,否\r\n"));
}

TEST(CliTest, Utf8InputIsConvertedAndBareLineFeedsEndLines) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const Finished run =
        runCli(dir, {"--registrar", sim.url(), "--filter", "taken", "-"}, "中文.net\nx.com\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, yc::text::utf8ToGbk("中文.net\r\n"));
}

TEST(CliTest, RefusalStopsWithStatusThreeKeepingCompleteLines) {
    SimOptions options = freeDotCom();
    options.refuseAfter = 1;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const Finished run = runCli(
        dir, {"--registrar", sim.url(), "--filter", "all", "--on-limit", "stop", "-"}, names(60));
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 50);
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");
    EXPECT_NE(run.err.find("refused"), std::string::npos);
}

TEST(CliTest, FailedTransferStopsWithStatusThreeAndWritesNothing) {
    SimOptions options = freeDotCom();
    options.fault = yc::sim::Fault::Status500;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const Finished run =
        runCli(dir, {"--registrar", sim.url(), "--on-failure", "stop", "-"}, "a.com\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.out.empty());
}

TEST(CliTest, TimeoutOptionEndsASilentExchange) {
    RegistrarSim sim(yc::test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto started = std::chrono::steady_clock::now();
    const Finished run = runCli(dir, {"--registrar", sim.url(), "--timeout", "1", "-"}, "a.com\n");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(6));
    EXPECT_EQ(run.status, 3) << run.err;
}

TEST(CliTest, CtrlCEndsTheExchangeInFlightAtOnce) {
    RegistrarSim sim(yc::test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto in = dir.write("stdin.txt", "a.com\n");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    std::string program = YC_CLI_PATH;
    std::string flag = "--registrar";
    std::string url = sim.url();
    std::string input = "-";
    char* argv[] = {program.data(), flag.data(), url.data(), input.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &files, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&files);
    // The exchange is under way once the simulator has the request.
    for (int i = 0; i < 500 && sim.server().submissions() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto interrupted = std::chrono::steady_clock::now();
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(3));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

TEST(CliTest, UnusableCaFileIsAUsageErrorNamingPathAndReason) {
    TempDir dir;
    const std::string missing = (dir.path() / "missing.pem").string();
    const std::string empty = dir.write("empty.pem", "").string();
    for (const auto& [path, reason] : {std::pair{missing, "No such file or directory"},
                                       std::pair{empty, "no PEM certificate in it"}}) {
        const Finished run =
            runCli(dir, {"--registrar", "http://127.0.0.1:1/x", "--ca-file", path, "-"}, "a.com");
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(path + ": " + reason), std::string::npos) << run.err;
    }
}

struct UsageCase {
    const char* label;
    std::vector<std::string> args;
};

class CliUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, UsageErrorsExitWithTwoAndOneLine) {
    TempDir dir;
    const Finished run = runCli(dir, GetParam().args);
    EXPECT_EQ(run.status, 2) << GetParam().label;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliUsageTest,
    testing::Values(UsageCase{"no registrar", {"-"}},
                    UsageCase{"no input", {"--registrar", "http://127.0.0.1:1/x"}},
                    UsageCase{"unreadable input", {"--registrar", "http://127.0.0.1:1/x", "/nope"}},
                    UsageCase{"bad filter", {"--filter", "some", "-"}},
                    UsageCase{"unknown option", {"--fast", "-"}},
                    UsageCase{"time-out under a second", {"--timeout", "0.5", "-"}}));

TEST(CliTest, HelpAndVersionSucceed) {
    TempDir dir;
    EXPECT_EQ(runCli(dir, {"--help"}).status, 0);
    const Finished version = runCli(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "yuchaling-cli 1.0.3.0\n");
}

}  // namespace
