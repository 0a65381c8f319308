// Reading the registry services table.
#include "registry/services_table.h"

#include <gtest/gtest.h>

namespace yc::registry {
namespace {

TEST(ServicesTable, ReadsEveryColumnWithDefaults) {
    const auto table = ServicesTable::parse(
        "# comment\r\n"
        "COM\thttps://rdap.example/com\twhois.example.com\n"
        "de\t\twhois.example.de:4343\t-T dn,ace %s\\r\\n\tStatus: free\n"
        "zw\t\t\n");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->size(), 3U);
    const RegistryService* com = table->find("com");
    ASSERT_NE(com, nullptr);
    EXPECT_EQ(com->rdapBase, "https://rdap.example/com/");
    EXPECT_EQ(com->whoisHost, "whois.example.com");
    EXPECT_EQ(com->whoisPort, 43);
    EXPECT_EQ(com->whoisQuery, "%s\r\n");
    EXPECT_EQ(com->notFoundText, "");
    const RegistryService* de = table->find("de");
    ASSERT_NE(de, nullptr);
    EXPECT_EQ(de->rdapBase, "");
    EXPECT_EQ(de->whoisHost, "whois.example.de");
    EXPECT_EQ(de->whoisPort, 4343);
    EXPECT_EQ(de->whoisQuery, "-T dn,ace %s\r\n");
    EXPECT_EQ(de->notFoundText, "Status: free");
    EXPECT_FALSE(table->find("zw")->reachable());
    EXPECT_EQ(table->find("net"), nullptr);
}

TEST(ServicesTable, RefusesMalformedTables) {
    for (const char* tsv :
         {"", "# only a comment\n", "de\t\twhois.example.de:port\n",
          "de\t\twhois.example.de:70000\n", "\thttps://rdap.example/\n", "de\ta\tb\tc\td\te\n"}) {
        EXPECT_FALSE(ServicesTable::parse(tsv)) << tsv;
    }
}

TEST(ServicesTable, ShippedTableServesGenericAndCountryDomainsAndPrivateRegistries) {
    const auto table = ServicesTable::load(YC_SERVICES_FILE);
    ASSERT_TRUE(table);
    EXPECT_GT(table->size(), 1400U);
    EXPECT_EQ(table->find("com")->rdapBase, "https://rdap.verisign.com/com/v1/");
    EXPECT_EQ(table->find("cn")->notFoundText, "No matching record");
    EXPECT_EQ(table->find("cn.com")->whoisHost, "whois.centralnic.com");
    EXPECT_FALSE(ServicesTable::load(YC_SERVICES_FILE ".missing"));
}

}  // namespace
}  // namespace yc::registry
