// Reading RDAP bootstrap documents and applying them to the services table.
#include "registry/rdap_bootstrap.h"

#include <gtest/gtest.h>

#include "support/table_test.h"

namespace yc::registry {
namespace {

struct ParseCase : test::TableCase {
    const char* json;
    std::optional<RdapBootstrap> expected;
};

class ParseRdapBootstrap : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseRdapBootstrap, KeepsTheFirstHttpsUrlOfEachDomainOrRefusesTheDocument) {
    EXPECT_EQ(parseRdapBootstrap(GetParam().json), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ParseRdapBootstrap,
    testing::Values(
        ParseCase{{"several domains share an entry"},
                  R"({"version":"1.0","publication":"2026-01-01T00:00:00Z","services":[
                      [["com","net"],["https://rdap.verisign.com/com/v1/"]],
                      [["xn--fiq228c"],["https://rdap.example.cn/"]]]})",
                  RdapBootstrap{{"com", "https://rdap.verisign.com/com/v1/"},
                                {"net", "https://rdap.verisign.com/com/v1/"},
                                {"xn--fiq228c", "https://rdap.example.cn/"}}},
        ParseCase{{"the first https URL wins over an earlier http one and a later https one"},
                  R"({"services":[[["de"],["http://rdap.denic.de/","https://rdap.denic.de/",
                                          "https://other.denic.de/"]]]})",
                  RdapBootstrap{{"de", "https://rdap.denic.de/"}}},
        ParseCase{{"a missing trailing slash is added"},
                  R"({"services":[[["io"],["https://rdap.nic.io/v1"]]]})",
                  RdapBootstrap{{"io", "https://rdap.nic.io/v1/"}}},
        ParseCase{{"an entry with no https URL is skipped"},
                  R"({"services":[[["io"],["http://rdap.nic.io/"]],[["de"],[]],
                                  [["net"],["https://rdap.example.net/"]]]})",
                  RdapBootstrap{{"net", "https://rdap.example.net/"}}},
        ParseCase{
            {"only http URLs"}, R"({"services":[[["io"],["http://rdap.nic.io/"]]]})", std::nullopt},
        ParseCase{{"empty services"}, R"({"version":"1.0","services":[]})", std::nullopt},
        ParseCase{{"no services"}, R"({"version":"1.0"})", std::nullopt},
        ParseCase{{"services not an array"}, R"({"services":{"com":"https://a/"}})", std::nullopt},
        ParseCase{
            {"broken JSON"}, R"({"services":[[["com"],["https://a.example/"]])", std::nullopt},
        ParseCase{{"not JSON at all"}, "<html>Service unavailable</html>", std::nullopt},
        ParseCase{{"empty"}, "", std::nullopt},
        ParseCase{{"a top-level array"}, R"([[["com"],["https://a.example/"]]])", std::nullopt},
        ParseCase{{"an entry with three parts"},
                  R"({"services":[[["com"],["https://a.example/"],[]]]})",
                  std::nullopt},
        ParseCase{{"an entry that is not an array"},
                  R"({"services":[[["com"],["https://a.example/"]],"net"]})",
                  std::nullopt},
        ParseCase{{"a label that is not a string"},
                  R"({"services":[[["com",7],["https://a.example/"]]]})",
                  std::nullopt},
        ParseCase{{"an upper-case label"},
                  R"({"services":[[["COM"],["https://a.example/"]]]})",
                  std::nullopt},
        ParseCase{
            {"a U-label"}, R"({"services":[[["中国"],["https://a.example/"]]]})", std::nullopt},
        ParseCase{
            {"an empty label"}, R"({"services":[[[""],["https://a.example/"]]]})", std::nullopt},
        ParseCase{{"a URL that is not a string"}, R"({"services":[[["com"],[1]]]})", std::nullopt},
        ParseCase{{"an https URL with no host is not usable"},
                  R"({"services":[[["com"],["https://","https:///x/"]]]})",
                  std::nullopt},
        ParseCase{{"a URL with a line break would break a table row"},
                  R"({"services":[[["com"],["https://a.example/\n"]]]})",
                  std::nullopt}),
    test::ByLabel());

TEST(ApplyRdapBootstrap, OverridesRdapKeepsWhoisAndAddsMissingDomains) {
    auto table = ServicesTable::parse(
        "com\thttps://old.example/com/\twhois.example.com\n"
        "de\t\twhois.example.de:4343\t-T dn %s\\r\\n\tStatus: free\n"
        "net\thttps://rdap.example.net/\twhois.example.net\n");
    ASSERT_TRUE(table);
    const RdapBootstrap bootstrap{{"com", "https://new.example/com/"},
                                  {"de", "https://rdap.example.de/"},
                                  {"net", "https://rdap.example.net/"},
                                  {"xyz", "https://rdap.example.xyz/"}};

    EXPECT_EQ(applyRdapBootstrap(bootstrap, *table), 3U);

    EXPECT_EQ(table->size(), 4U);
    const RegistryService* com = table->find("com");
    EXPECT_EQ(com->rdapBase, "https://new.example/com/");
    EXPECT_EQ(com->whoisHost, "whois.example.com");
    const RegistryService* de = table->find("de");
    EXPECT_EQ(de->rdapBase, "https://rdap.example.de/");
    EXPECT_EQ(de->whoisHost, "whois.example.de");
    EXPECT_EQ(de->whoisPort, 4343);
    EXPECT_EQ(de->whoisQuery, "-T dn %s\r\n");
    EXPECT_EQ(de->notFoundText, "Status: free");
    const RegistryService* xyz = table->find("xyz");
    ASSERT_NE(xyz, nullptr);
    EXPECT_EQ(xyz->suffix, "xyz");
    EXPECT_EQ(xyz->rdapBase, "https://rdap.example.xyz/");
    EXPECT_EQ(xyz->whoisHost, "");
    EXPECT_EQ(table->find("net")->whoisHost, "whois.example.net");

    EXPECT_EQ(applyRdapBootstrap(bootstrap, *table), 0U);
}

TEST(ApplyRdapBootstrap, LeavesDomainsTheBootstrapOmits) {
    auto table =
        ServicesTable::parse("cn.com\t\twhois.centralnic.com\norg\thttps://a.example/\t\n");
    ASSERT_TRUE(table);
    applyRdapBootstrap(RdapBootstrap{{"com", "https://rdap.example.com/"}}, *table);
    EXPECT_EQ(table->find("cn.com")->rdapBase, "");
    EXPECT_EQ(table->find("org")->rdapBase, "https://a.example/");
}

}  // namespace
}  // namespace yc::registry
