// The form body's percent-encoding of a batch.
#include <gtest/gtest.h>

#include "query/form_encoding.h"
#include "support/table_test.h"
#include "text/charset.h"

namespace yc::query {
namespace {

struct EncodeCase : test::TableCase {
    std::string input;
    std::string expected;
};

class EncodeFormValueTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeFormValueTest, EncodesBytes) {
    EXPECT_EQ(EncodeFormValue(GetParam().input), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeFormValueTest,
    testing::Values(
        EncodeCase{"batch lines", "abc.com\r\nxyz.net\r\n", "abc.com%0D%0Axyz.net%0D%0A"},
        EncodeCase{"underscore and hyphen literal", "a_b-c.com", "a_b-c.com"},
        EncodeCase{"plus escaped", "a+b.com", "a%2Bb.com"},
        EncodeCase{"space is %20", "a b", "a%20b"},
        EncodeCase{"two Chinese characters", text::utf8ToGbk("中文.com"), "%D6%D0%CE%C4.com"},
        EncodeCase{"percent itself", "%2E", "%252E"},
        EncodeCase{"NUL and high bytes", std::string("\0\xFF", 2), "%00%FF"},
        EncodeCase{"empty", "", ""}),
    test::ByLabel());

}  // namespace
}  // namespace yc::query
