// Checking batches against the simulated registries over loopback: what each RDAP and WHOIS
// answer means, IDN names, and names under private registries.
#include "registry/registry_checker.h"

#include <gtest/gtest.h>

#include <chrono>

#include "registry_test_sim.h"
#include "support/gbk_literals.h"

namespace yc::registry {
namespace {

struct Expected {
    const char* name;   // UTF-8
    const char* asked;  // the A-label asked about; empty when unchecked
    Verdict verdict;
};

TEST(RegistryChecker, EveryAnswerMeansWhatItSays) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    const Expected expected[] = {
        // RDAP
        {"abc7.com", "abc7.com", Verdict::Free},
        {"www.abc.com", "abc.com", Verdict::Taken},
        {"中文.com", "xn--fiq228c.com", Verdict::Taken},
        {"中文7.com", "xn--7-kq6a406e.com", Verdict::Free},
        {"failed-a.net", "failed-a.net", Verdict::Failed},
        {"broken-a.net", "broken-a.net", Verdict::Failed},
        {"moved-a.net", "moved-a.net", Verdict::Failed},  // redirects must stay on https
        // WHOIS: common texts, the table's texts, GBK, UTF-8 and Latin-1 answers
        {"abc7.io", "abc7.io", Verdict::Free},
        {"abc.io", "abc.io", Verdict::Taken},
        {"abc7.de", "abc7.de", Verdict::Free},  // echoes "Domain: abc7.de" with "Status: free"
        {"abc.de", "abc.de", Verdict::Taken},
        {"abc7.cn", "abc7.cn", Verdict::Free},
        {"中文.cn", "xn--fiq228c.cn", Verdict::Taken},  // GBK answer naming 中文.cn
        {"abc7.co.uk", "abc7.co.uk", Verdict::Free},
        {"abc.co.uk", "abc.co.uk", Verdict::Taken},
        {"limited-a.io", "limited-a.io", Verdict::Failed},  // a rate-limit text says nothing
        {"broken-a.io", "broken-a.io", Verdict::Failed},
        {"failed-a.io", "failed-a.io", Verdict::Failed},
        // private second-level registries
        {"x.abc.cn.com", "abc.cn.com", Verdict::Taken},
        {"abc7.us.com", "", Verdict::Unchecked},
        {"abc7.github.io", "", Verdict::Unchecked},
        {"abc7.zz", "", Verdict::Unchecked},
    };
    std::vector<Text> names;
    for (const Expected& e : expected) {
        names.push_back(test::gbk(e.name));
    }
    RegistryChecker checker(sim.table(), {});
    const std::vector<NameVerdict> verdicts = checker.check(names);
    ASSERT_EQ(verdicts.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(verdicts[i].name, names[i]);
        EXPECT_EQ(verdicts[i].asked, expected[i].asked);
        EXPECT_EQ(verdicts[i].outcome.verdict, expected[i].verdict) << verdicts[i].outcome.reason;
    }
    const std::vector<std::string> queries = sim.registry().whoisQueries();
    EXPECT_NE(std::find(queries.begin(), queries.end(), "-T dn,ace abc.de\r\n"), queries.end());
    EXPECT_NE(std::find(queries.begin(), queries.end(), "abc.cn.com\r\n"), queries.end());
    // The top-level registry was never asked about a name under the private suffix.
    EXPECT_EQ(sim.registry().rdapRequests(), 7);
}

TEST(RegistryChecker, TooManyRequestsAndBusyWithRetryAfterMeanLimited) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    RegistryChecker checker(sim.table(), {});
    for (const char* name : {"limited-a.com", "busy-a.net"}) {
        const auto verdicts = checker.check({name});
        EXPECT_EQ(verdicts[0].outcome.verdict, Verdict::Limited) << name;
        EXPECT_EQ(verdicts[0].outcome.retryAfterSeconds, 7) << name;
    }
}

TEST(RegistryChecker, AsksOnceForNamesOfOneDomain) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    RegistryChecker checker(sim.table(), {});
    const auto verdicts = checker.check({"a.abc7.com", "b.abc7.com", "abc7.com"});
    for (const NameVerdict& v : verdicts) {
        EXPECT_EQ(v.outcome.verdict, Verdict::Free);
    }
    EXPECT_EQ(sim.registry().rdapRequests(), 1);
}

TEST(RegistryChecker, LookupsThatTakeTooLongFail) {
    test::RegistryTestSim sim(3000);
    ASSERT_TRUE(sim.started());
    LookupSettings settings;
    settings.timeoutMs = 300;
    RegistryChecker checker(sim.table(), settings);
    const auto started = std::chrono::steady_clock::now();
    const auto verdicts = checker.check({"abc.com", "abc.io"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(verdicts[0].outcome.verdict, Verdict::Failed);
    EXPECT_EQ(verdicts[1].outcome.verdict, Verdict::Failed);
}

TEST(RegistryChecker, StopAbandonsTheLookupsStillRunning) {
    test::RegistryTestSim sim(3000);
    ASSERT_TRUE(sim.started());
    LookupSettings settings;
    const auto started = std::chrono::steady_clock::now();
    settings.shouldStop = [&] {
        return std::chrono::steady_clock::now() - started > std::chrono::milliseconds(200);
    };
    RegistryChecker checker(sim.table(), settings);
    const auto verdicts = checker.check({"abc.com", "abc.io"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(verdicts[0].outcome.verdict, Verdict::Failed);
    EXPECT_EQ(verdicts[1].outcome.verdict, Verdict::Failed);
}

}  // namespace
}  // namespace yc::registry
