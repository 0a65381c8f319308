// Bare words expanded into names: which lines count as bare, the order of the generated names,
// presets, and the count the large-expansion guard relies on.
#include <gtest/gtest.h>

#include "query/name_expansion.h"
#include "text/charset.h"

namespace yc::query {
namespace {

struct ExpansionCase {
    const char* label;
    std::string list;
    const char* suffixes;
    const char* prefixes;
    const char* suffixWords;
    std::string expected;
};

TEST(NameExpansionTest, BareWordsBecomeOneNamePerSuffixInTheGivenOrder) {
    const std::string chinese = text::utf8ToGbk("山水");
    for (const ExpansionCase& c : {
             ExpansionCase{"bare word", "hello", "com,net", "", "", "hello.com\r\nhello.net\r\n"},
             ExpansionCase{"names with a suffix are kept", "a.com\r\nb\r\nhttp://c.cn/x", "net", "",
                           "", "a.com\r\nb.net\r\nhttp://c.cn/x\r\n"},
             ExpansionCase{"blank lines are kept", "a\r\n\r\nb", "cn", "", "",
                           "a.cn\r\n\r\nb.cn\r\n"},
             ExpansionCase{"words are trimmed", "  a  ", " com  .CN ", "", "", "a.com\r\na.cn\r\n"},
             ExpansionCase{"prefixes and suffix words", "shop", "com", "my,the", "app,hq",
                           "myshopapp.com\r\nmyshophq.com\r\ntheshopapp.com\r\ntheshophq.com\r\n"},
             ExpansionCase{"preset and plain suffixes without repeats", "a", "@popular,com,ai", "",
                           "",
                           "a.com\r\na.net\r\na.org\r\na.io\r\na.ai\r\na.co\r\na.app\r\na.dev\r\n"},
             ExpansionCase{"Chinese word", chinese, "@cn", "", "",
                           chinese + ".com\r\n" + chinese + ".cn\r\n" + chinese + ".com.cn\r\n" +
                               chinese + ".net\r\n" + chinese + ".top\r\n" + chinese + ".wang\r\n" +
                               chinese + ".vip\r\n" + chinese + ".xyz\r\n"},
         }) {
        const auto suffixes = ParseSuffixList(c.suffixes);
        ASSERT_TRUE(suffixes) << c.label;
        const NameExpansion expansion{*suffixes, ParseWordList(c.prefixes),
                                      ParseWordList(c.suffixWords)};
        const Text expanded = ExpandNames(c.list, expansion);
        EXPECT_EQ(expanded, c.expected) << c.label;
        std::size_t lines = 0;
        for (std::size_t at = expanded.find("\r\n"); at != Text::npos;
             at = expanded.find("\r\n", at + 2)) {
            ++lines;
        }
        EXPECT_EQ(ExpandedLineCount(c.list, expansion), lines) << c.label;
    }
}

TEST(NameExpansionTest, AnUnknownPresetIsRefused) {
    EXPECT_FALSE(ParseSuffixList("com,@nope"));
}

}  // namespace
}  // namespace yc::query
