// Splitting the entered list and cutting each line down to the name that is sent.
#include <gtest/gtest.h>

#include "query/domain_list.h"
#include "support/table_test.h"
#include "text/charset.h"

namespace yc::query {
namespace {

struct NormaliseCase : test::TableCase {
    std::string line;
    std::string expected;
};

class NormaliseDomainLineTest : public testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseDomainLineTest, GivesTheNameThatIsSent) {
    const NormaliseCase& c = GetParam();
    EXPECT_EQ(NormaliseDomainLine(c.line), c.expected) << c.label;
}

const std::string kFullWidthSpace = "\xA1\xA1";
const std::string kChinese = text::utf8ToGbk("中文");

INSTANTIATE_TEST_SUITE_P(
    WorkedResults, NormaliseDomainLineTest,
    testing::Values(
        NormaliseCase{"spaces trimmed", "  example.com  ", "example.com"},
        NormaliseCase{"lower-cased", "Example.COM", "example.com"},
        NormaliseCase{"url", "http://www.example.com/index.html", "example.com"},
        NormaliseCase{"www keeps case", "www.Example.com", "Example.com"},
        NormaliseCase{"sub-domain with compound suffix", "news.example.com.cn", "example.com.cn"},
        NormaliseCase{"compound suffix", "example.com.cn", "example.com.cn"},
        NormaliseCase{"deep sub-domain", "a.b.example.org", "example.org"},
        NormaliseCase{"name label", "my.name.tv", "my.name.tv"},
        NormaliseCase{"port kept", "example.com:8080/x", "example.com:8080"},
        NormaliseCase{"single label", "localhost", "localhost"},
        NormaliseCase{"scheme only", "http://", ""},
        NormaliseCase{"only spaces", " " + kFullWidthSpace + "  " + kFullWidthSpace, ""},
        NormaliseCase{"tab kept", "\texample.com", "\texample.com"},
        NormaliseCase{"upper-case www", "WWW.EXAMPLE.COM", "EXAMPLE.COM"},
        NormaliseCase{"www inside", "mywww.com", "mycom"},
        NormaliseCase{"net.cn", "sub.example.net.cn", "example.net.cn"},
        NormaliseCase{"info needs a dot before", "info.example.com", "example.com"},
        NormaliseCase{"double-byte name", kChinese + ".COM", kChinese + ".com"},
        NormaliseCase{"trailing dot", "example.com.", "example.com."},
        NormaliseCase{"full-width spaces trimmed", kFullWidthSpace + "a.com" + kFullWidthSpace,
                      "a.com"},
        NormaliseCase{"lone lead byte at end", "a.com\xB0", "a.com\xB0"},
        NormaliseCase{"NUL bytes", std::string("a\0b.com", 7), std::string("a\0b.com", 7)},
        NormaliseCase{"dot next to cut passed over", "a..com", "a..com"}),
    test::ByLabel());

TEST(SplitDomainList, CrLfAndBarSeparateButLoneCrOrLfDoNot) {
    EXPECT_EQ(SplitDomainList("a.com||b.com|"), (std::vector<Text>{"a.com", "", "b.com"}));
    EXPECT_EQ(SplitDomainList("a.com\r\nb.com\r\n"), (std::vector<Text>{"a.com", "b.com"}));
    EXPECT_EQ(SplitDomainList("a.com\nb.com\r"), (std::vector<Text>{"a.com\nb.com\r"}));
    EXPECT_EQ(SplitDomainList(""), std::vector<Text>{});
    EXPECT_EQ(SplitDomainList("\r\n\r\n"), (std::vector<Text>{"", ""}));
}

TEST(HasCompoundSuffix, MatchesWholeLabelsBetweenDotsInAnyCase) {
    EXPECT_TRUE(HasCompoundSuffix("x.COM.cn"));
    EXPECT_TRUE(HasCompoundSuffix("example.com."));
    EXPECT_FALSE(HasCompoundSuffix("example.com"));
    EXPECT_FALSE(HasCompoundSuffix("x.comm.cn"));
    EXPECT_FALSE(HasCompoundSuffix("info.example.cn"));
    EXPECT_TRUE(HasCompoundSuffix("a.museum.b"));
}

TEST(NormaliseDomainLine, HugeAndHostileInputNeverReadsPastTheEnd) {
    std::string hostile;
    for (int i = 0; i < 100000; ++i) {
        hostile += "\xB0.\xFF/";
        hostile.push_back('\0');
    }
    hostile += "\x81";
    EXPECT_NO_FATAL_FAILURE(NormaliseDomainLine(hostile));
    const std::vector<Text> lines = SplitDomainList(std::string(1000000, '|'));
    EXPECT_EQ(lines.size(), 1000000u);
}

}  // namespace
}  // namespace yc::query
