// yuchaling-cli as a user runs it: a real process talking to the registrar simulator, with its
// exit status, standard output and output files read back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/registrar_sim.h"
#include "support/table_test.h"
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

// Runs the command line program with `args`, feeding `input` on standard input; `launcher` is
// a command that starts the program.
Finished runCli(const TempDir& dir, const std::vector<std::string>& args,
                const std::string& input = "", const std::string& launcher = "") {
    const auto in = dir.write("stdin.txt", input);
    std::string command = launcher + " " + quote(YC_CLI_PATH);
    for (const auto& arg : args) {
        command += " " + quote(arg);
    }
    command += " < " + quote(in.string()) + " > " + quote((dir.path() / "out.txt").string()) +
               " 2> " + quote((dir.path() / "err.txt").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::read(dir.path() / "out.txt"),
            TempDir::read(dir.path() / "err.txt")};
}

// Runs the program on a new terminal that takes both its outputs and passes bytes unchanged,
// under the locale `lang`, and returns everything the terminal received as `out`.
Finished runOnTerminal(const std::vector<std::string>& args, const char* lang) {
    termios raw{};
    ::cfmakeraw(&raw);
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, &raw, nullptr);
    if (pid == 0) {
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_CTYPE");
        ::setenv("LANG", lang, 1);
        std::vector<char*> argv{const_cast<char*>(YC_CLI_PATH)};
        for (const auto& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(YC_CLI_PATH, argv.data());
        ::_exit(127);
    }
    Finished run;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(terminal, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // EIO once the program has exited and the terminal is drained
        }
        run.out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(terminal);
    int waitStatus = 0;
    ::waitpid(pid, &waitStatus, 0);
    run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    return run;
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
    EXPECT_EQ(run.out, "中文.net\r\n");  // written in the list's encoding
}

/// The names part of the first form the simulator received, still percent-encoded.
std::string sentNames(const RegistrarSim& sim) {
    const auto requests = sim.requests();
    if (requests.empty()) {
        return "";
    }
    const std::string& body = requests[0].body;
    const std::size_t start = body.find('=') + 1;
    return body.substr(start, body.find("&picCode") - start);
}

struct ListCase : yc::test::TableCase {
    std::string input;
    std::vector<std::string> args;
    int status;
    std::string sent;  ///< the percent-encoded GBK names sent, empty when nothing is sent
    std::string err;   ///< part of standard error
};

class CliListTest : public testing::TestWithParam<ListCase> {};

TEST_P(CliListTest, ListIsReadInOneEncodingOrRejectedNamingTheLine) {
    const ListCase& c = GetParam();
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto list = dir.write("list.txt", c.input);
    std::vector<std::string> args{"--registrar", sim.url()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back(list.string());
    const Finished run = runCli(dir, args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(sentNames(sim), c.sent);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// 山水.com and 平台.com: their GBK bytes happen to be valid UTF-8 too.
const std::string kGbkPair = "\xC9\xBD\xCB\xAE.com\r\n\xC6\xBD\xCC\xA8.com\r\n";
const std::string kSentPair = "%C9%BD%CB%AE.com%0D%0A%C6%BD%CC%A8.com%0D%0A";

INSTANTIATE_TEST_SUITE_P(
    Encodings, CliListTest,
    testing::Values(
        ListCase{"GBK valid as UTF-8", kGbkPair, {}, 0, kSentPair, "reading the list as GBK"},
        ListCase{"UTF-8", "山水.com\n平台.com\n", {}, 0, kSentPair, "reading the list as UTF-8"},
        ListCase{"UTF-8 BOM, CR ends", "\xEF\xBB\xBF山水.com\r平台.com", {}, 0, kSentPair, ""},
        ListCase{"UTF-16LE", utf16le(u"\uFEFF山水.com\n平台.com\r\n"), {}, 0, kSentPair, ""},
        ListCase{"UTF-16 lone surrogate",
                 utf16le(u"\uFEFFa.com\n\xD800.com"),
                 {},
                 2,
                 "",
                 "line 2 of the list is not valid UTF-16LE"},
        ListCase{"GBK told as UTF-8",
                 kGbkPair,
                 {"--input-encoding", "utf-8"},
                 2,
                 "",
                 "line 1 of the list holds a character that GBK cannot hold"},
        ListCase{"emoji",
                 "a.com\n😀.com\n",
                 {},
                 2,
                 "",
                 "line 2 of the list holds a character that GBK cannot hold"},
        ListCase{"cut UTF-8",
                 "\xEF\xBB\xBF"
                 "a.com\n\xE4\xB8.com\n",
                 {},
                 2,
                 "",
                 "line 2 of the list is not valid UTF-8"},
        ListCase{"GBK lead byte at line end",
                 "a.com\r\n\xC9\r\nb.com",
                 {},
                 2,
                 "",
                 "line 2 of the list is not valid GBK"}),
    yc::test::ByLabel());

struct OutputCase : yc::test::TableCase {
    std::string list;
    std::vector<std::string> args;
    const char* terminalLang;  ///< null: results go to a file, and must equal `results`
    std::string results;
};

class CliOutputTest : public testing::TestWithParam<OutputCase> {};

TEST_P(CliOutputTest, ResultsAreWrittenInTheListsOrTheTerminalsEncoding) {
    const OutputCase& c = GetParam();
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto list = dir.write("list.txt", c.list);
    const std::string file = (dir.path() / "r.csv").string();
    std::vector<std::string> args{"--registrar", sim.url(), "--filter", "all"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    if (c.terminalLang == nullptr) {
        args.insert(args.end(), {"--output", file});
    }
    args.push_back(list.string());
    if (c.terminalLang == nullptr) {
        const Finished run = runCli(dir, args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(TempDir::read(file), c.results);
    } else {
        const Finished run = runOnTerminal(args, c.terminalLang);
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_NE(run.out.find(c.results), std::string::npos) << run.out;
    }
}

const std::string kGbkName = yc::text::utf8ToGbk("中文.com\r\n");

INSTANTIATE_TEST_SUITE_P(
    Encodings, CliOutputTest,
    testing::Values(
        OutputCase{"UTF-8 list", "中文.com\n", {}, nullptr, "域名,未注册\r\n中文.com,是\r\n"},
        OutputCase{"GBK list",
                   kGbkName,
                   {},
                   nullptr,
                   yc::text::utf8ToGbk("域名,未注册\r\n中文.com,是\r\n")},
        OutputCase{"UTF-8 list, GBK asked",
                   "中文.com\n",
                   {"--output-encoding", "gbk"},
                   nullptr,
                   yc::text::utf8ToGbk("域名,未注册\r\n中文.com,是\r\n")},
        OutputCase{"UTF-8 terminal", kGbkName, {}, "C.UTF-8", "中文.com,是\r\n"},
        OutputCase{
            "GBK terminal", "中文.com\n", {}, "zh_CN.GBK", yc::text::utf8ToGbk("中文.com,是\r\n")}),
    yc::test::ByLabel());

TEST(CliTest, BarLeavesTheLineBeforeResultsAndTheRunEndsInOneSummary) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto list = dir.write("list.txt", names(120) + "\n\n");
    const Finished run =
        runOnTerminal({"--registrar", sim.url(), "--filter", "all", list.string()}, "C.UTF-8");
    EXPECT_EQ(run.status, 0) << run.out;
    const std::regex bar(R"(\[[#.]{30}\] \d+/120  \d+ names/s  ETA [-:0-9]+)");
    int bars = 0;
    for (auto it = std::sregex_iterator(run.out.begin(), run.out.end(), bar);
         it != std::sregex_iterator(); ++it, ++bars) {
        const std::size_t end = static_cast<std::size_t>(it->position() + it->length());
        EXPECT_EQ(run.out.substr(end, 4), "\r\033[K") << "text written onto the bar: " << run.out;
    }
    EXPECT_GE(bars, 3);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 121) << run.out;
    EXPECT_TRUE(std::regex_search(
        run.out, std::regex("\r\033\\[Kdone: 120 of 120 names checked, 60 free, 60 taken, "
                            "0 not checked, elapsed 0:0\\d\n$")))
        << run.out;
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

struct RetryCase : yc::test::TableCase {
    yc::sim::Fault fault;  ///< None: the registrar refuses every batch after the first
    std::vector<std::string> args;
    std::string launcher;
    std::size_t requests;
    double leastSeconds;  ///< the pauses the retries must have made
    std::string err;
};

class CliRetryTest : public testing::TestWithParam<RetryCase> {};

TEST_P(CliRetryTest, RetriesPauseLongerEachTimeAndStopAtTheLimit) {
    const RetryCase& c = GetParam();
    SimOptions options = freeDotCom();
    options.fault = c.fault;
    options.refuseAfter = c.fault == yc::sim::Fault::None ? 1 : 0;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    TempDir dir;
    std::vector<std::string> args{"--registrar", sim.url()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back("-");
    const auto start = std::chrono::steady_clock::now();
    const Finished run = runCli(dir, args, names(60), c.launcher);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(sim.requests().size(), c.requests);
    EXPECT_GE(took.count(), c.leastSeconds);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Policies, CliRetryTest,
    testing::Values(RetryCase{"refusals, doubling",
                              yc::sim::Fault::None,
                              {"--on-limit", "retry", "--retry-wait", "0.1", "--max-retries", "3"},
                              "",
                              5,
                              0.1 + 0.2 + 0.4,
                              "stopping after 3 retries in a row"},
                    RetryCase{
                        "failures, doubling",
                        yc::sim::Fault::Status500,
                        {"--on-failure", "retry", "--retry-wait", "0.1", "--max-retries", "2"},
                        "",
                        3,
                        0.1 + 0.2,
                        "stopping after 2 retries in a row"},
                    // Ctrl-C after two seconds ends the first pause, which would last a minute.
                    // In the foreground, timeout signals the program once, as one Ctrl-C does;
                    // otherwise its whole process group gets a second signal, which is the
                    // "second Ctrl-C" that ends the program at once.
                    RetryCase{"refusal, default pause",
                              yc::sim::Fault::None,
                              {"--on-limit", "retry"},
                              "timeout --foreground --preserve-status -s INT 2",
                              2,
                              1.9,
                              "retry 1 of 8 in 60 s"},
                    RetryCase{"failure, default pause",
                              yc::sim::Fault::Status500,
                              {"--on-failure", "retry"},
                              "timeout --foreground --preserve-status -s INT 2",
                              1,
                              1.9,
                              "retry 1 of 8 in 5 s"},
                    RetryCase{"ask without a terminal",
                              yc::sim::Fault::None,
                              {"--on-limit", "ask"},
                              "setsid -w",
                              2,
                              0,
                              "there is no terminal to ask on (--on-limit chooses)"}),
    yc::test::ByLabel());

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

TEST(CliTest, OutputThatCannotBeOpenedExitsWithOneBeforeSending) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const std::string output = (dir.path() / "missing" / "r.txt").string();
    const Finished run =
        runCli(dir, {"--registrar", sim.url(), "--output", output, "-"}, "a.com\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(sim.requests().empty());
    EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
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

struct UsageCase : yc::test::TableCase {
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
    testing::Values(UsageCase{"registrar source without an address",
                              {"--source", "registrar", "-"}},
                    UsageCase{"parallel out of range", {"--parallel", "33", "-"}},
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

TEST(CliTest, WithoutARegistrarTheRegistriesAnswerAndUncheckedNamesGoApart) {
    SimOptions options;
    options.freePattern = R"([^.]*7\..*)";
    options.registry.whois = true;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const auto services =
        dir.write("services.tsv", sim.server().registry().servicesTable(sim.port()));
    const std::string unchecked = (dir.path() / "unchecked.txt").string();
    const std::string list =
        "abc7.com\nhttps://www.Abc.com:8443/path\nsub.abc7.co.uk\nabc.de\n"
        "x.abc.cn.com\nabc7.zz\n";
    const Finished run = runCli(
        dir, {"--services", services.string(), "--filter", "all", "--unchecked", unchecked, "-"},
        list);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, yc::text::utf8ToGbk("abc7.com,是\r\nabc.com,否\r\nabc7.co.uk,是\r\n"
                                           "abc.de,否\r\nabc.cn.com,否\r\n"));
    EXPECT_EQ(TempDir::read(unchecked), "abc7.zz\tno registry service known for .zz\n");
    EXPECT_NE(run.err.find("(1 with no registry to ask)"), std::string::npos) << run.err;
    EXPECT_EQ(sim.server().submissions(), 0);  // the registrar form was never posted to

    const Finished json =
        runCli(dir, {"--services", services.string(), "--format", "jsonl", "--filter", "all", "-"},
               "abc7.com\nabc.com\nabc.io\n");
    std::istringstream lines(json.out);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) {
        objects.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(objects.size(), 3u) << json.out;
    EXPECT_EQ(objects[0]["source"], "registry");
    EXPECT_EQ(objects[0]["registry"], "127.0.0.1");
    EXPECT_TRUE(objects[0]["registered"].is_null());
    EXPECT_EQ(objects[1]["registered"], "2015-03-02T08:00:00Z");  // RDAP events
    EXPECT_EQ(objects[1]["expires"], "2027-03-02T08:00:00Z");
    EXPECT_EQ(objects[2]["registry"], "127.0.0.1");            // the WHOIS server
    EXPECT_EQ(objects[2]["expires"], "2027-03-02T08:00:00Z");  // a WHOIS line
}

TEST(CliTest, DemoAnswersByItsFixedRuleAndSaysTheAnswersAreNotReal) {
    TempDir dir;
    const Finished run =
        runCli(dir, {"--demo", "--filter", "all", "-"}, "abc7.com\nabc.com\na7b.com\n7.cn\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              yc::text::utf8ToGbk("abc7.com,是\r\nabc.com,否\r\na7b.com,否\r\n7.cn,是\r\n"));
    EXPECT_NE(run.err.find("not real"), std::string::npos);
}

// The lines of a result file, without their line ends.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(CliTest, BareWordsExpandBySuffixesAndJsonLinesParseBack) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const std::string output = (dir.path() / "r.jsonl").string();
    const Finished run = runCli(dir,
                                {"--registrar", sim.url(), "--suffixes", "com,net", "--suffix-word",
                                 "hq", "--only", "all", "--output", output, "-"},
                                "shop\nwww.kept.cn\n");
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::pair<std::string, bool>> parsed;
    for (const std::string& line : linesOf(TempDir::read(output))) {
        const nlohmann::json object = nlohmann::json::parse(line);
        EXPECT_EQ(object.at("source"), "registrar");
        EXPECT_TRUE(std::regex_match(object.at("checked_at").get<std::string>(),
                                     std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
        parsed.emplace_back(object.at("name"), object.at("free"));
    }
    EXPECT_EQ(parsed, (std::vector<std::pair<std::string, bool>>{
                          {"shophq.com", true}, {"shophq.net", false}, {"kept.cn", false}}));
}

TEST(CliTest, LargeExpansionNeedsYes) {
    TempDir dir;
    std::string words;
    for (int i = 0; i < 125'001; ++i) {
        words += "w" + std::to_string(i) + "\n";
    }
    const Finished run =
        runCli(dir, {"--registrar", "http://127.0.0.1:1/x", "--suffixes", "@cn", "-"}, words);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("1000008 names; add --yes"), std::string::npos) << run.err;
}

TEST(CliTest, ExitFreeTellsWhetherAnyNameIsFree) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    TempDir dir;
    EXPECT_EQ(runCli(dir, {"--registrar", sim.url(), "--exit-free", "-"}, "a.net\nb.com\n").status,
              0);
    EXPECT_EQ(runCli(dir, {"--registrar", sim.url(), "--exit-free", "-"}, "a.net\nb.cn\n").status,
              4);
}

TEST(CliTest, AResumedRunAfterAKillChecksEveryNameOnceAndRepairsTheCutLine) {
    SimOptions slow = freeDotCom();
    slow.fault = yc::sim::Fault::Delay;
    slow.delayMs = 150;
    RegistrarSim sim(slow);
    ASSERT_TRUE(sim.started());
    TempDir dir;
    const std::string list = names(600);
    const auto in = dir.write("list.txt", list);
    const std::string output = (dir.path() / "r.txt").string();
    const std::vector<std::string> args = {"--registrar", sim.url(), "--filter", "all",
                                           "--output",    output,    in.string()};

    // The first run is killed without warning once a few batches are in the file.
    std::vector<std::string> argvText = {YC_CLI_PATH};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvText) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, YC_CLI_PATH, &quiet, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&quiet);
    for (int i = 0; i < 1000 && linesOf(TempDir::read(output)).size() < 150; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::vector<std::string> before = linesOf(TempDir::read(output));
    ASSERT_GE(before.size(), 150u);
    ASSERT_LT(before.size(), 600u);
    std::ofstream(output, std::ios::app | std::ios::binary) << "n599.ne";  // a write cut short
    const std::size_t requestsBefore = sim.requests().size();

    const Finished resumed = runCli(dir, [&] {
        auto withResume = args;
        withResume.insert(withResume.begin(), "--resume");
        return withResume;
    }());
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_NE(resumed.err.find(std::to_string(before.size()) + " skipped"), std::string::npos)
        << resumed.err;

    std::map<std::string, int> seen;
    for (const std::string& line : linesOf(TempDir::read(output))) {
        ++seen[line.substr(0, line.find(','))];
    }
    EXPECT_EQ(seen.size(), 600u);
    for (const auto& [name, count] : seen) {
        EXPECT_EQ(count, 1) << name;
    }
    // Nothing already written was sent again.
    std::set<std::string> written;
    for (const std::string& line : before) {
        written.insert(line.substr(0, line.find(',')));
    }
    const auto requests = sim.requests();
    for (std::size_t r = requestsBefore; r < requests.size(); ++r) {
        for (const std::string& name : written) {
            EXPECT_EQ(requests[r].body.find("domainToCheck=" + name + "%0D%0A"), std::string::npos);
            EXPECT_EQ(requests[r].body.find("%0D%0A" + name + "%0D%0A"), std::string::npos);
        }
    }
}

}  // namespace
