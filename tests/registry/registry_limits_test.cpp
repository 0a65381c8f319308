// How many lookups run at once per registry host, the pause between WHOIS queries, and holding
// back a host that limits us.
#include <gtest/gtest.h>

#include <chrono>

#include "registry/registry_checker.h"
#include "registry_test_sim.h"

namespace yc::registry {
namespace {

std::vector<Text> numbered(const std::string& suffix, int count) {
    std::vector<Text> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("n" + std::to_string(i) + "x" + suffix);  // taken: no "7" at the end
    }
    return names;
}

TEST(RegistryLimits, RdapRunsUpToTheLimitPerHostAtOnce) {
    for (const int limit : {4, 2}) {
        SCOPED_TRACE(limit);
        test::RegistryTestSim sim(150);
        ASSERT_TRUE(sim.started());
        LookupSettings settings;
        settings.rdapPerHost = limit;
        RegistryChecker checker(sim.table(), settings);
        const auto verdicts = checker.check(numbered(".com", 12));
        for (const NameVerdict& v : verdicts) {
            EXPECT_EQ(v.outcome.verdict, Verdict::Taken) << v.outcome.reason;
        }
        EXPECT_EQ(sim.registry().peakRdap(), limit);
    }
}

TEST(RegistryLimits, WhoisAsksOneServerOneQueryAtATimeWithAPause) {
    test::RegistryTestSim sim(50);
    ASSERT_TRUE(sim.started());
    RegistryChecker checker(sim.table(), {});
    const auto started = std::chrono::steady_clock::now();
    const auto verdicts = checker.check(numbered(".io", 4));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(600));
    for (const NameVerdict& v : verdicts) {
        EXPECT_EQ(v.outcome.verdict, Verdict::Taken) << v.outcome.reason;
    }
    EXPECT_EQ(sim.registry().peakWhois(), 1);
}

TEST(RegistryLimits, AHostThatLimitsUsIsNotAskedAgainInTheBatch) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    LookupSettings settings;
    settings.rdapPerHost = 1;
    RegistryChecker checker(sim.table(), settings);
    const auto verdicts = checker.check({"limited-a.com", "b.com", "c.net"});
    for (const NameVerdict& v : verdicts) {
        EXPECT_EQ(v.outcome.verdict, Verdict::Limited);
        EXPECT_EQ(v.outcome.retryAfterSeconds, 7);
    }
    EXPECT_EQ(sim.registry().rdapRequests(), 1);
}

}  // namespace
}  // namespace yc::registry
