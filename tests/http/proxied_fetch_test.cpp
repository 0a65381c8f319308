// The registrar form exchange through the test proxy over loopback: each kind of proxy, the
// environment's proxy variables, and a proxy that gives up.
#include <gtest/gtest.h>

#include <optional>

#include "http/fetch_page.h"
#include "support/registrar_sim.h"
#include "support/scoped_env.h"
#include "support/table_test.h"
#include "support/test_proxy.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using test::RegistrarSim;
using test::ScopedEnv;
using test::TestProxy;

const std::string kFormBody = "domainToCheck=abc.com%0D%0Axyz.net%0D%0A&suffix%5B%5D=.com";

struct Exchange {
    Text page;
    TransferOutcome outcome;
};

Exchange postForm(const RegistrarSim& sim, const std::string& proxy) {
    Text url = sim.url();
    Exchange exchange;
    FetchOptions options;
    options.postText = kFormBody;
    options.proxy = proxy;
    options.timeoutSeconds = 5.0F;
    options.outcome = &exchange.outcome;
    exchange.page = FetchPage(url, options);
    return exchange;
}

bool offersAbcCom(const Text& page) {
    return text::contains(page, "name=\"domain[]\" value=\"abc.com\"", text::CaseMode::IgnoreAscii);
}

struct ProxyCase : test::TableCase {
    const char* scheme;
    bool tls;
    int forwards;
    int tunnels;
    int socks;
};

class ProxiedFetchTest : public testing::TestWithParam<ProxyCase> {
  protected:
    void TearDown() override { setExtraCaFile(""); }
};

TEST_P(ProxiedFetchTest, FormExchangeGoesThroughTheProxy) {
    const ProxyCase& c = GetParam();
    RegistrarSim sim(test::freeDotCom(), c.tls);
    TestProxy proxy;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(proxy.started());
    if (c.tls) {
        setExtraCaFile(test::throwAwayTls().caFile.string());
    }
    // A no_proxy naming the registrar must not take the chosen proxy's traffic past it.
    const ScopedEnv noProxy("no_proxy", "127.0.0.1,localhost");
    const Exchange exchange = postForm(sim, proxy.setting(c.scheme));
    EXPECT_FALSE(exchange.outcome.failed());
    EXPECT_TRUE(offersAbcCom(exchange.page));
    EXPECT_EQ(proxy.httpForwards(), c.forwards);
    EXPECT_EQ(proxy.httpTunnels(), c.tunnels);
    EXPECT_EQ(proxy.socksConnects(), c.socks);
    const auto requests = sim.requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].requestLine, "POST /domain/bulkregister_submit.php HTTP/1.1");
    EXPECT_EQ(requests[0].body, kFormBody);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProxiedFetchTest,
                         testing::Values(ProxyCase{{"http forwarding"}, "http", false, 1, 0, 0},
                                         ProxyCase{{"http tunnel to https"}, "http", true, 0, 1, 0},
                                         ProxyCase{{"socks5"}, "socks5", false, 0, 0, 1},
                                         ProxyCase{{"socks5h to https"}, "socks5h", true, 0, 0, 1}),
                         test::ByLabel{});

TEST(ProxiedFetch, EnvUsesTheEnvironmentsProxyAndEmptyIgnoresIt) {
    RegistrarSim sim(test::freeDotCom());
    TestProxy proxy;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(proxy.started());
    const ScopedEnv httpProxy("http_proxy", proxy.setting("http"));
    const ScopedEnv noProxy("no_proxy", std::nullopt);
    const ScopedEnv noProxyUpper("NO_PROXY", std::nullopt);

    EXPECT_TRUE(offersAbcCom(postForm(sim, "").page));
    EXPECT_EQ(proxy.accepted(), 0);

    EXPECT_TRUE(offersAbcCom(postForm(sim, "env").page));
    EXPECT_EQ(proxy.httpForwards(), 1);
    EXPECT_EQ(sim.requests().size(), 2U);
}

TEST(ProxiedFetch, ProxyThatGivesUpFailsTheExchange) {
    RegistrarSim sim(test::freeDotCom());
    ASSERT_TRUE(sim.started());
    for (const auto behaviour :
         {TestProxy::Behaviour::CloseAtOnce, TestProxy::Behaviour::RefuseTarget}) {
        for (const char* scheme : {"http", "socks5h"}) {
            SCOPED_TRACE(scheme);
            TestProxy proxy(behaviour);
            ASSERT_TRUE(proxy.started());
            const Exchange exchange = postForm(sim, proxy.setting(scheme));
            EXPECT_TRUE(exchange.outcome.failed());
            EXPECT_FALSE(offersAbcCom(exchange.page));
            EXPECT_EQ(proxy.accepted(), 1);
        }
    }
    EXPECT_TRUE(sim.requests().empty());
}

}  // namespace
}  // namespace yc::http
