// The registry source behind the query run's seam: the names lines stand for, retries that ask
// again only what failed, and a registry's limit turned into a refusal with its wait.
#include "registry/registry_batch_checker.h"

#include <gtest/gtest.h>

#include <chrono>

#include "registry_test_sim.h"
#include "support/gbk_literals.h"
#include "support/table_test.h"

namespace yc::registry {
namespace {

struct NameCase : test::TableCase {
    const char* line;  // UTF-8
    const char* name;  // UTF-8
};

class RegistryNameOfTest : public testing::TestWithParam<NameCase> {};

TEST_P(RegistryNameOfTest, IsTheRegistrableDomainTheLineNames) {
    const RegistryBatchChecker checker(*ServicesTable::parse("com\thttps://r.example/\t\n"), {});
    EXPECT_EQ(checker.nameOf(test::gbk(GetParam().line)), test::gbk(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RegistryNameOfTest,
    testing::Values(NameCase{"sub-domains", "a.b.example.co.uk", "example.co.uk"},
                    NameCase{"a URL with a port", " HTTP://WWW.Example.COM:8080/x?y=1 ",
                             "example.com"},
                    NameCase{"www and a trailing dot", "www.www.abc.com.", "abc.com"},
                    NameCase{"a name under a private registry", "x.abc.cn.com", "abc.cn.com"},
                    NameCase{"Chinese labels stay as written", "www.中文.com", "中文.com"},
                    NameCase{"a public suffix is kept to be reported", "co.uk", "co.uk"},
                    NameCase{"blank", "  ", ""}),
    test::ByLabel());

TEST(RegistryBatchChecker, ARetryAsksAgainOnlyTheLookupsThatFailed) {
    test::RegistryTestSim sim;
    ASSERT_TRUE(sim.started());
    RegistryBatchChecker checker(sim.table(), {});
    const query::Batch batch = {"abc7.com", "failed-a.net", "abc.com"};
    query::FreeNames free;
    EXPECT_EQ(checker.CheckBatch(batch, free), query::BatchOutcome::Failed);
    EXPECT_EQ(sim.registry().rdapRequests(), 3);
    EXPECT_EQ(checker.CheckBatch(batch, free), query::BatchOutcome::Failed);
    EXPECT_EQ(sim.registry().rdapRequests(), 4);
    EXPECT_TRUE(free.empty());
    EXPECT_TRUE(checker.problem().starts_with("failed-a.net: ")) << checker.problem();

    // Another batch starts afresh.
    EXPECT_EQ(checker.CheckBatch({"abc7.com", "abc.com"}, free), query::BatchOutcome::Accepted);
    EXPECT_EQ(sim.registry().rdapRequests(), 6);
    EXPECT_EQ(free, query::FreeNames{"abc7.com"});
}

TEST(RegistryBatchChecker, ALimitIsARefusalWhoseRetryWaitsOutRetryAfter) {
    sim::SimOptions options;
    options.registry.whois = true;
    options.registry.retryAfterSeconds = 1;
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const auto table = ServicesTable::parse(sim.server().registry().servicesTable(sim.port()));
    ASSERT_TRUE(table);
    RegistryBatchChecker checker(*table, {});
    const query::Batch batch = {"abc.com", "busy-a.com"};
    query::FreeNames free;
    EXPECT_EQ(checker.CheckBatch(batch, free), query::BatchOutcome::Refused);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(checker.CheckBatch(batch, free), query::BatchOutcome::Refused);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(sim.server().registry().rdapRequests(), 3);  // abc.com was answered the first time
}

}  // namespace
}  // namespace yc::registry
