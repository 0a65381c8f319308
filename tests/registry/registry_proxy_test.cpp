// Checking batches through the test proxy over loopback: RDAP through every kind of proxy, WHOIS
// through SOCKS5 only, proxies that give up, the environment's proxy, and RDAP's extra CA file.
#include <gtest/gtest.h>

#include <algorithm>

#include "http/ca_trust.h"
#include "registry/registry_checker.h"
#include "registry/whois_lookups.h"
#include "registry_test_sim.h"
#include "support/registrar_sim.h"
#include "support/scoped_env.h"
#include "support/table_test.h"
#include "support/test_proxy.h"

namespace yc::registry {
namespace {

using test::ScopedEnv;
using test::TestProxy;

// Two names asked over RDAP, then two over WHOIS.
const std::vector<Text> kNames = {"abc7.com", "abc.com", "abc7.io", "abc.io"};

// The simulator's table with its servers named "localhost", so that a proxy that resolves names
// itself can be told from one that is given addresses.
ServicesTable tableByName(test::RegistryTestSim& sim) {
    std::string text = sim.servicesText();
    for (std::size_t at = 0; (at = text.find("127.0.0.1", at)) != std::string::npos;) {
        text.replace(at, 9, "localhost");
    }
    return *ServicesTable::parse(text);
}

std::vector<NameVerdict> checkThrough(test::RegistryTestSim& sim, const std::string& proxy,
                                      bool byName = false) {
    LookupSettings settings;
    settings.proxy = proxy;
    settings.timeoutMs = 5000;
    RegistryChecker checker(byName ? tableByName(sim) : sim.table(), settings);
    return checker.check(kNames);
}

long countOf(const std::vector<std::string>& list, const std::string& item) {
    return std::count(list.begin(), list.end(), item);
}

struct ThroughCase : test::TableCase {
    const char* scheme;
    bool byName;            // the table names the servers "localhost"
    const char* whoisKind;  // how the SOCKS request names the WHOIS server; empty: not at all
};

class ProxiedCheckTest : public testing::TestWithParam<ThroughCase> {};

TEST_P(ProxiedCheckTest, LookupsGoThroughTheProxyOrStayUnchecked) {
    const ThroughCase& c = GetParam();
    test::RegistryTestSim sim;
    TestProxy proxy;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(proxy.started());
    const ScopedEnv noProxy("no_proxy", "127.0.0.1,localhost");
    const std::string setting = proxy.setting(c.scheme);
    const auto verdicts = checkThrough(sim, setting, c.byName);
    ASSERT_EQ(verdicts.size(), kNames.size());
    EXPECT_EQ(verdicts[0].outcome.verdict, Verdict::Free) << verdicts[0].outcome.reason;
    EXPECT_EQ(verdicts[1].outcome.verdict, Verdict::Taken) << verdicts[1].outcome.reason;
    EXPECT_EQ(sim.registry().rdapRequests(), 2);
    const bool socks = std::string(c.whoisKind) != "";
    if (socks) {
        EXPECT_EQ(verdicts[2].outcome.verdict, Verdict::Free) << verdicts[2].outcome.reason;
        EXPECT_EQ(verdicts[3].outcome.verdict, Verdict::Taken) << verdicts[3].outcome.reason;
        const std::string server = std::string(c.byName ? "localhost" : "127.0.0.1") + ":" +
                                   std::to_string(sim.registry().whoisPort());
        EXPECT_EQ(countOf(proxy.socksTargets(), std::string(c.whoisKind) + " " + server), 2);
        EXPECT_EQ(sim.registry().whoisQueries().size(), 2U);
        EXPECT_GE(proxy.socksConnects(), 3);  // RDAP's connections, and one per WHOIS query
    } else {
        for (const std::size_t i : {2U, 3U}) {
            EXPECT_EQ(verdicts[i].outcome.verdict, Verdict::Unchecked);
            EXPECT_EQ(verdicts[i].outcome.reason, whoisProxyProblem(setting));
        }
        EXPECT_TRUE(sim.registry().whoisQueries().empty());
        EXPECT_GE(proxy.httpForwards(), 1);
        EXPECT_EQ(proxy.socksConnects(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProxiedCheckTest,
                         testing::Values(ThroughCase{{"http"}, "http", false, ""},
                                         ThroughCase{{"socks5"}, "socks5", false, "ipv4"},
                                         ThroughCase{{"socks5h"}, "socks5h", true, "name"}),
                         test::ByLabel{});

struct GivingUpCase : test::TableCase {
    TestProxy::Behaviour behaviour;
    const char* scheme;
    Verdict whois;
    const char* whoisReason;  // a part of the WHOIS lookups' reason
};

class ProxyGivingUpTest : public testing::TestWithParam<GivingUpCase> {};

TEST_P(ProxyGivingUpTest, LookupsFailAndNeverReadAsFreeOrTaken) {
    const GivingUpCase& c = GetParam();
    test::RegistryTestSim sim;
    TestProxy proxy(c.behaviour);
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(proxy.started());
    const auto verdicts = checkThrough(sim, proxy.setting(c.scheme));
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        SCOPED_TRACE(kNames[i]);
        EXPECT_EQ(verdicts[i].outcome.verdict, i < 2 ? Verdict::Failed : c.whois);
        EXPECT_NE(verdicts[i].outcome.reason, "");
        if (i >= 2) {
            EXPECT_NE(verdicts[i].outcome.reason.find(c.whoisReason), std::string::npos)
                << verdicts[i].outcome.reason;
        }
    }
    EXPECT_GE(proxy.accepted(), 1);
    EXPECT_EQ(sim.registry().rdapRequests(), 0);
    EXPECT_TRUE(sim.registry().whoisQueries().empty());
}

INSTANTIATE_TEST_SUITE_P(Behaviours, ProxyGivingUpTest,
                         testing::Values(GivingUpCase{{"http closes"},
                                                      TestProxy::Behaviour::CloseAtOnce,
                                                      "http",
                                                      Verdict::Unchecked,
                                                      "use a SOCKS proxy"},
                                         GivingUpCase{{"http refuses"},
                                                      TestProxy::Behaviour::RefuseTarget,
                                                      "http",
                                                      Verdict::Unchecked,
                                                      "use a SOCKS proxy"},
                                         GivingUpCase{{"socks5 closes"},
                                                      TestProxy::Behaviour::CloseAtOnce,
                                                      "socks5",
                                                      Verdict::Failed,
                                                      "SOCKS proxy 127.0.0.1:"},
                                         GivingUpCase{{"socks5h refuses"},
                                                      TestProxy::Behaviour::RefuseTarget,
                                                      "socks5h",
                                                      Verdict::Failed,
                                                      "connection refused"}),
                         test::ByLabel{});

TEST(ProxiedCheck, EnvLeavesRdapToTheEnvironmentAndWhoisDirect) {
    test::RegistryTestSim sim;
    TestProxy proxy;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(proxy.started());
    const ScopedEnv httpProxy("http_proxy", proxy.setting("http"));
    const ScopedEnv allProxy("all_proxy", proxy.setting("socks5"));
    const ScopedEnv noProxy("no_proxy", std::nullopt);
    const ScopedEnv noProxyUpper("NO_PROXY", std::nullopt);
    const auto verdicts = checkThrough(sim, "env");
    const Verdict expected[] = {Verdict::Free, Verdict::Taken, Verdict::Free, Verdict::Taken};
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        EXPECT_EQ(verdicts[i].outcome.verdict, expected[i]) << verdicts[i].outcome.reason;
    }
    EXPECT_GE(proxy.httpForwards(), 1);
    EXPECT_EQ(proxy.socksConnects(), 0);
    EXPECT_EQ(sim.registry().whoisQueries().size(), 2U);
}

TEST(ProxiedCheck, UnreadableProxyFailsEveryLookup) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    for (const auto& verdict : checkThrough(sim, "socks5://127.0.0.1")) {
        EXPECT_EQ(verdict.outcome.verdict, Verdict::Failed);
        EXPECT_NE(verdict.outcome.reason.find("no port"), std::string::npos)
            << verdict.outcome.reason;
    }
    EXPECT_EQ(sim.registry().rdapRequests(), 0);
    EXPECT_TRUE(sim.registry().whoisQueries().empty());
}

TEST(WhoisProxyProblem, NamesOnlyProxiesWhoisCannotUse) {
    for (const char* usable :
         {"", "env", "socks5://127.0.0.1:1080", "socks5h://proxy:1080", "not a proxy"}) {
        EXPECT_EQ(whoisProxyProblem(usable), "") << usable;
    }
    for (const char* http : {"127.0.0.1:3128", "http://proxy:3128", "https://proxy:443"}) {
        EXPECT_NE(whoisProxyProblem(http).find("use a SOCKS proxy"), std::string::npos) << http;
    }
}

class RdapTrustTest : public testing::Test {
  protected:
    void TearDown() override { http::setExtraCaFile(""); }
};

TEST_F(RdapTrustTest, HttpsRegistryIsTrustedThroughTheExtraCaFile) {
    test::RegistryTestSim sim(0, true);
    ASSERT_TRUE(sim.started());
    for (const bool trusted : {false, true}) {
        http::setExtraCaFile(trusted ? test::throwAwayTls().caFile.string() : "");
        RegistryChecker checker(sim.table(), {});
        const auto verdicts = checker.check({"abc7.com", "abc.com"});
        EXPECT_EQ(verdicts[0].outcome.verdict, trusted ? Verdict::Free : Verdict::Failed);
        EXPECT_EQ(verdicts[1].outcome.verdict, trusted ? Verdict::Taken : Verdict::Failed);
    }
}

}  // namespace
}  // namespace yc::registry
