// The weekly copy of the RDAP bootstrap document, fetched from the simulator over loopback: when
// it is fetched, that a failed fetch changes nothing, and where the cache folder is.
#include "registry/rdap_bootstrap_cache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "support/registrar_sim.h"
#include "support/scoped_env.h"
#include "support/table_test.h"
#include "support/temp_dir.h"

namespace yc::registry {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string bootstrapNaming(const std::string& comBase) {
    return R"({"version":"1.0","services":[[["com"],[")" + comBase + R"("]]]})";
}

const std::string kOldCopy = bootstrapNaming("https://old.example/com/");
const std::string kNewCopy = bootstrapNaming("https://new.example/com/");

sim::SimOptions serving(std::string body, int status = 200) {
    sim::SimOptions options;
    options.bootstrapBody = std::move(body);
    options.bootstrapStatus = status;
    return options;
}

RdapBootstrapCache cacheIn(const test::TempDir& dir, const test::RegistrarSim& sim,
                           const char* path = sim::kBootstrapPath, std::string proxy = {}) {
    return RdapBootstrapCache(dir.path(), sim.url(path), std::move(proxy), 5s);
}

void ageBy(const fs::path& file, std::chrono::hours age) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

// The RDAP base a table shows for com after loading the cache.
std::string comBaseAfterLoading(const RdapBootstrapCache& cache) {
    auto table = ServicesTable::parse("com\thttps://shipped.example/com/\twhois.example.com\n");
    cache.loadCached(*table);
    return table->find("com")->rdapBase;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path().filename());
    }
    return files;
}

TEST(RdapBootstrapCache, MissingCopyIsFetchedStoredAndApplied) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    const RdapBootstrapCache cache = cacheIn(dir, sim);
    auto table = ServicesTable::parse("com\t\twhois.example.com\n");
    EXPECT_FALSE(cache.loadCached(*table));

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Refreshed);

    EXPECT_TRUE(cache.loadCached(*table));
    EXPECT_EQ(table->find("com")->rdapBase, "https://new.example/com/");
    ASSERT_EQ(sim.requests().size(), 1U);
    EXPECT_EQ(sim.requests()[0].requestLine, "GET /rdap-bootstrap/dns.json HTTP/1.1");
    EXPECT_EQ(cache.cacheFile(), dir.path() / "rdap-dns.json");
    EXPECT_EQ(test::TempDir::read(cache.cacheFile()), kNewCopy);
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"rdap-dns.json"});
    EXPECT_EQ(comBaseAfterLoading(cache), "https://new.example/com/");
}

TEST(RdapBootstrapCache, CopyYoungerThanAWeekIsNotFetchedAgain) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    ageBy(dir.write("rdap-dns.json", kOldCopy), 6 * 24h);
    const RdapBootstrapCache cache = cacheIn(dir, sim);

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Fresh);

    EXPECT_TRUE(sim.requests().empty());
    EXPECT_EQ(comBaseAfterLoading(cache), "https://old.example/com/");
}

TEST(RdapBootstrapCache, CopyOlderThanAWeekIsFetchedAgain) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    ageBy(dir.write("rdap-dns.json", kOldCopy), 8 * 24h);
    const RdapBootstrapCache cache = cacheIn(dir, sim);

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Refreshed);

    EXPECT_EQ(sim.requests().size(), 1U);
    EXPECT_EQ(comBaseAfterLoading(cache), "https://new.example/com/");
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"rdap-dns.json"});
}

TEST(RdapBootstrapCache, CopyStampedFarInTheFutureIsFetchedAgain) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    ageBy(dir.write("rdap-dns.json", kOldCopy), -10 * 24h);
    const RdapBootstrapCache cache = cacheIn(dir, sim);

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Refreshed);

    EXPECT_EQ(comBaseAfterLoading(cache), "https://new.example/com/");
}

TEST(RdapBootstrapCache, BrokenCopyIsIgnoredAndReplacedHoweverYoung) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    dir.write("rdap-dns.json", R"({"services":[[["com"],["https://half)");
    const RdapBootstrapCache cache = cacheIn(dir, sim);
    auto table = ServicesTable::parse("com\thttps://shipped.example/com/\t\n");
    EXPECT_FALSE(cache.loadCached(*table));
    EXPECT_EQ(table->find("com")->rdapBase, "https://shipped.example/com/");

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Refreshed);

    EXPECT_EQ(comBaseAfterLoading(cache), "https://new.example/com/");
}

TEST(RdapBootstrapCache, RedirectsAreFollowed) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    const RdapBootstrapCache cache = cacheIn(dir, sim, sim::kBootstrapMovedPath);

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::Refreshed);

    EXPECT_EQ(sim.requests().size(), 2U);
    EXPECT_EQ(comBaseAfterLoading(cache), "https://new.example/com/");
}

struct FailedFetchCase : test::TableCase {
    int status;
    std::string body;
    BootstrapRefresh expected;
};

class FailedFetch : public testing::TestWithParam<FailedFetchCase> {};

TEST_P(FailedFetch, LeavesTheStaleCopyAsItWas) {
    const FailedFetchCase& c = GetParam();
    test::RegistrarSim sim(serving(c.body, c.status));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    const fs::path file = dir.write("rdap-dns.json", kOldCopy);
    ageBy(file, 8 * 24h);
    const fs::file_time_type stamp = fs::last_write_time(file);
    const RdapBootstrapCache cache = cacheIn(dir, sim);

    EXPECT_EQ(cache.refreshIfStale(), c.expected);

    EXPECT_EQ(sim.requests().size(), 1U);
    EXPECT_EQ(test::TempDir::read(file), kOldCopy);
    EXPECT_EQ(fs::last_write_time(file), stamp);
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"rdap-dns.json"});
    EXPECT_EQ(comBaseAfterLoading(cache), "https://old.example/com/");
}

TEST_P(FailedFetch, StoresNothingWhenThereWasNoCopy) {
    const FailedFetchCase& c = GetParam();
    test::RegistrarSim sim(serving(c.body, c.status));
    ASSERT_TRUE(sim.started());
    const test::TempDir dir;
    const RdapBootstrapCache cache = cacheIn(dir, sim);

    EXPECT_EQ(cache.refreshIfStale(), c.expected);

    EXPECT_TRUE(filesIn(dir.path()).empty());
    EXPECT_EQ(comBaseAfterLoading(cache), "https://shipped.example/com/");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FailedFetch,
    testing::Values(
        FailedFetchCase{
            {"status 500 with a valid body"}, 500, kNewCopy, BootstrapRefresh::FetchFailed},
        FailedFetchCase{{"status 404"}, 404, kNewCopy, BootstrapRefresh::FetchFailed},
        FailedFetchCase{{"broken JSON"},
                        200,
                        R"({"services":[[["com"],["https://new)",
                        BootstrapRefresh::Refused},
        FailedFetchCase{
            {"JSON without services"}, 200, R"({"version":"1.0"})", BootstrapRefresh::Refused},
        FailedFetchCase{
            {"a body past 4 MiB"},
            200,
            bootstrapNaming("https://new.example/com/") + std::string(std::size_t{5} << 20, ' '),
            BootstrapRefresh::FetchFailed}),
    test::ByLabel());

// A port that was just listened on and is closed again.
int closedPort() {
    test::RegistrarSim sim;
    const int port = sim.port();
    sim.server().stop();
    return port;
}

TEST(RdapBootstrapCache, UnreachableServerChangesNothing) {
    const test::TempDir dir;
    const fs::path file = dir.write("rdap-dns.json", kOldCopy);
    ageBy(file, 8 * 24h);
    const RdapBootstrapCache cache(
        dir.path(), "http://127.0.0.1:" + std::to_string(closedPort()) + "/dns.json", {}, 5s);

    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::FetchFailed);

    EXPECT_EQ(test::TempDir::read(file), kOldCopy);
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"rdap-dns.json"});
}

TEST(RdapBootstrapCache, NoCacheFolderMeansNoCopy) {
    const RdapBootstrapCache cache({}, "http://127.0.0.1:1/dns.json", {}, 5s);
    EXPECT_EQ(cache.refreshIfStale(), BootstrapRefresh::NoCache);
    EXPECT_EQ(comBaseAfterLoading(cache), "https://shipped.example/com/");
}

using test::ScopedEnv;

TEST(RdapBootstrapCache, EnvironmentProxyIsUsedOnlyWhenAskedFor) {
    test::RegistrarSim sim(serving(kNewCopy));
    ASSERT_TRUE(sim.started());
    const std::string deadProxy = "http://127.0.0.1:" + std::to_string(closedPort());
    const ScopedEnv httpProxy("http_proxy", deadProxy);
    const ScopedEnv noProxy("no_proxy", std::nullopt);
    const ScopedEnv noProxyUpper("NO_PROXY", std::nullopt);
    const test::TempDir viaEnvironment;
    const test::TempDir direct;

    EXPECT_EQ(cacheIn(viaEnvironment, sim, sim::kBootstrapPath, "env").refreshIfStale(),
              BootstrapRefresh::FetchFailed);
    EXPECT_EQ(cacheIn(direct, sim).refreshIfStale(), BootstrapRefresh::Refreshed);
    EXPECT_EQ(sim.requests().size(), 1U);
}

}  // namespace
}  // namespace yc::registry
