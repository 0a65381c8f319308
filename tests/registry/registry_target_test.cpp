// Which registry answers for a name: registrable domains, private suffixes and A-labels.
#include "registry/registry_target.h"

#include <gtest/gtest.h>

#include "support/gbk_literals.h"
#include "support/table_test.h"

namespace yc::registry {
namespace {

const ServicesTable& table() {
    static const ServicesTable services = *ServicesTable::parse(
        "com\thttps://rdap.example/com/\n"
        "uk\t\twhois.example.uk\n"
        "io\t\twhois.example.io\n"
        "cn.com\t\twhois.example.cn.com\n"
        "zw\t\t\n");
    return services;
}

struct TargetCase {
    const char* label;
    const char* name;    // UTF-8, given to the resolver as GBK
    const char* domain;  // the domain asked about; empty when the name cannot be checked
    const char* suffix;  // the row that answers
};

class RegistryTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(RegistryTarget, Resolves) {
    const TargetCase& c = GetParam();
    const auto resolved = resolveTarget(test::gbk(c.name), table());
    if (std::string_view(c.domain).empty()) {
        ASSERT_TRUE(std::holds_alternative<NotCheckable>(resolved));
        EXPECT_FALSE(std::get<NotCheckable>(resolved).reason.empty());
        return;
    }
    ASSERT_TRUE(std::holds_alternative<registry::RegistryTarget>(resolved))
        << std::get<NotCheckable>(resolved).reason;
    const auto& target = std::get<registry::RegistryTarget>(resolved);
    EXPECT_EQ(target.domain, c.domain);
    EXPECT_EQ(target.service->suffix, c.suffix);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RegistryTarget,
    testing::Values(
        TargetCase{"plain", "example.com", "example.com", "com"},
        TargetCase{"subdomain", "a.b.example.com", "example.com", "com"},
        TargetCase{"upper case and root dot", "Example.COM.", "example.com", "com"},
        TargetCase{"second level of a country", "a.b.example.co.uk", "example.co.uk", "uk"},
        TargetCase{"unicode", "中文.com", "xn--fiq228c.com", "com"},
        TargetCase{"unicode mapped", "ＡＢＣ.com", "abc.com", "com"},
        TargetCase{"private registry with its row", "x.y.cn.com", "y.cn.com", "cn.com"},
        TargetCase{"private registry without a row", "foo.us.com", "", ""},
        TargetCase{"private suffix under a country", "me.github.io", "", ""},
        TargetCase{"public suffix itself", "co.uk", "", ""},
        TargetCase{"unknown top level", "example.zz", "", ""},
        TargetCase{"registry without services", "example.zw", "", ""},
        TargetCase{"underscore", "a_b.com", "", ""}, TargetCase{"space", "a b.com", "", ""},
        TargetCase{"empty label", "a..com", "", ""},
        TargetCase{"mapped to nothing", "\u200B.com", "", ""},
        TargetCase{"leading hyphen", "-abc.com", "", ""},
        TargetCase{"bad punycode", "xn--zz.com", "", ""}, TargetCase{"empty", "", "", ""}),
    test::ByLabel{});

TEST(ALabels, RoundTrip) {
    EXPECT_EQ(toALabel("中文.com"), "xn--fiq228c.com");
    EXPECT_EQ(toULabel("xn--fiq228c.com"), "中文.com");
    EXPECT_EQ(toULabel("plain.com"), "plain.com");
}

}  // namespace
}  // namespace yc::registry
