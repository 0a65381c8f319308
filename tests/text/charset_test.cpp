// Conversions between GBK and Unicode.
#include <gtest/gtest.h>

#include "text/charset.h"

namespace yc::text {
namespace {

TEST(Charset, RoundTripsChineseText) {
    const std::string utf8 = "翎杉·域查灵 查询结果.txt";
    const Text gbk = utf8ToGbk(utf8);
    EXPECT_EQ(gbk.substr(0, 4), "\xF4\xE1\xC9\xBC");
    EXPECT_EQ(gbkToUtf8(gbk), utf8);
    EXPECT_EQ(utf16ToGbk(gbkToUtf16(gbk)), gbk);
}

TEST(Charset, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80"
                        "b"),
              "a?b");  // an emoji
    EXPECT_EQ(utf8ToGbk("a\xFF"
                        "b"),
              "a?b");  // malformed UTF-8
}

TEST(Charset, LiteralMacroConvertsOnce) {
    const Text& first = YC_GBK("信息：");
    EXPECT_EQ(first, utf8ToGbk("信息："));
}

TEST(Charset, ValidatesUtf8) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("中文"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));  // overlong
    EXPECT_FALSE(isValidUtf8("\xD6\xD0"));  // GBK bytes
}

}  // namespace
}  // namespace yc::text
