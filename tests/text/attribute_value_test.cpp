// HtmlElementFinder::AttributeValue in read and set mode, over the ways pages write attributes.
#include <gtest/gtest.h>

#include "support/table_test.h"
#include "text/charset.h"
#include "text/html_element_finder.h"

namespace yc::text {
namespace {

struct ReadCase : test::TableCase {
    std::string_view element;
    std::string_view name;
    std::string_view expected;
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(HtmlElementFinder().AttributeValue(c.element, c.name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTest,
    testing::Values(
        ReadCase{"double quotes", "<input value=\"a.com\">", "value", "a.com"},
        ReadCase{"apostrophes", "<input value='a.com'>", "value", "a.com"},
        ReadCase{"unquoted to the end", "<input value=a.com>", "value", "a.com"},
        ReadCase{"unquoted to a space", "<input value=a.com type=x>", "value", "a.com"},
        ReadCase{"empty quoted", "<input value=\"\" data-value=\"y\">", "value", ""},
        ReadCase{"empty apostrophes", "<input value='' x='y'>", "value", ""},
        ReadCase{"trimmed", "<input value=\" a.com\xA1\xA1\">", "value", "a.com"},
        ReadCase{"name in any case, value kept", "<INPUT VALUE=\"A.Com\">", "value", "A.Com"},
        ReadCase{"missing", "<input name=\"x\">", "value", ""},
        ReadCase{"without a space before the name", "<input\tvalue=\"x\">", "value", "x"},
        ReadCase{"second pass finds the name anywhere", "<input xvalue=\"z\">", "value", "z"},
        ReadCase{"blank-only value", "<input value=\"  \">", "value", ""},
        ReadCase{"double-byte value", YC_GBK("<input value=\"中文.cn\">"), "value",
                 YC_GBK("中文.cn")},
        ReadCase{"unterminated quote", "<input value=\"abc", "value", ""}),
    test::ByLabel());

struct SetCase : test::TableCase {
    std::string_view element;
    std::string_view expected;
};

class SetTest : public testing::TestWithParam<SetCase> {};

TEST_P(SetTest, ReplacesTheValueItReads) {
    const SetCase& c = GetParam();
    EXPECT_EQ(HtmlElementFinder().AttributeValue(c.element, "value", "new", true), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetTest,
    testing::Values(
        SetCase{"double quotes", "<input value=\"a\">", "<input value=\"new\">"},
        SetCase{"apostrophes", "<input value='a'>", "<input value='new'>"},
        SetCase{"unquoted", "<input value=a>", "<input value=new>"},
        SetCase{"empty quoted", "<input value=\"\" x=\"y\">", "<input value=\"new\" x=\"y\">"},
        SetCase{"name case kept", "<input VALUE=\"a\">", "<input VALUE=\"new\">"},
        SetCase{"added before >", "<input name=\"x\">", "<input name=\"x\" value=\"new\">"},
        SetCase{"added before />", "<br/>", "<br value=\"new\"/>"},
        SetCase{"added to a fragment", "<br", "<br value=\"new\""}),
    test::ByLabel());

TEST(AttributeValue, ReadModeIgnoresTheNewValue) {
    EXPECT_EQ(HtmlElementFinder().AttributeValue("<a v=\"1\">", "v", "2"), "1");
    EXPECT_EQ(HtmlElementFinder().AttributeValue("<a v=\"1\">", "v", "2", false), "1");
}

}  // namespace
}  // namespace yc::text
