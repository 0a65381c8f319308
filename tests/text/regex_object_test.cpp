// RegexObject: escaping routines, compile defaults, search and replace semantics, positions in
// characters, GBK bytes kept outside matches, and pathological patterns that must fail fast.
#include <gtest/gtest.h>

#include <chrono>

#include "support/table_test.h"
#include "text/charset.h"
#include "text/regex_object.h"

namespace yc::text {
namespace {

struct EscapeCase : test::TableCase {
    Text (*routine)(std::string_view);
    std::string_view input;
    std::string_view expected;
};

class EscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, EscapesExactlyItsSet) {
    const EscapeCase& c = GetParam();
    EXPECT_EQ(c.routine(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscapeTest,
    testing::Values(
        EscapeCase{"wildcard", RegexObject::WildcardToPattern, "a*b?.txt", "a.*b.?\\.txt"},
        EscapeCase{"wildcard escapes hyphen and groups", RegexObject::WildcardToPattern, "(a-b)|c",
                   "\\(a\\-b\\)|c"},
        EscapeCase{"full set", RegexObject::EscapeAll, "(a|b)", "\\(a\\|b\\)"},
        EscapeCase{"full set leaves hyphen", RegexObject::EscapeAll, "a-b*?", "a-b\\*\\?"},
        EscapeCase{"backslash doubled first", RegexObject::EscapeAll, "a\\.b", "a\\\\\\.b"},
        EscapeCase{"quote and brackets", RegexObject::EscapeAll,
                   "\"[x]{2}^$+=", "\\\"\\[x\\]\\{2\\}\\^\\$\\+\\="},
        EscapeCase{"no alternation", RegexObject::EscapeNoAlternation, "(a|b)", "\\(a|b\\)"},
        EscapeCase{"no grouping", RegexObject::EscapeNoGrouping, "(a|b)?", "(a|b)\\?"},
        // 95 5C is one double-byte character whose trail byte has the value of a backslash.
        EscapeCase{"trail byte untouched", RegexObject::EscapeAll, "\x95\x5C.", "\x95\x5C\\."}),
    test::ByLabel());

struct SearchCase : test::TableCase {
    std::string_view pattern;
    RegexFlags flags;
    std::string_view subject;
    int count;
    std::string_view firstMatch;
};

class SearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchTest, CountsAndKeepsMatches) {
    const SearchCase& c = GetParam();
    RegexObject regex;
    ASSERT_TRUE(regex.Compile(c.pattern, c.flags));
    EXPECT_EQ(regex.Search(c.subject), c.count);
    EXPECT_EQ(regex.MatchCount(), c.count);
    EXPECT_EQ(regex.MatchText(1), c.firstMatch);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchTest,
    testing::Values(
        SearchCase{"defaults ignore case and find all", "abc", {}, "ABC x abc", 2, "ABC"},
        SearchCase{"defaults are multi-line", "^b", {}, "a\nb\nb", 2, "b"},
        SearchCase{"case kept when asked", "abc", {false, {}, {}}, "ABC abc", 1, "abc"},
        SearchCase{"single line when asked", "^b", {{}, false, {}}, "a\nb", 0, ""},
        SearchCase{"first match only without global", "\\d", {{}, {}, false}, "1 2 3", 1, "1"},
        SearchCase{"no match gives 0", "xyz", {}, "abc", 0, ""},
        SearchCase{"dollar before a final line break", "c$", {{}, false, {}}, "abc\n", 0, ""},
        SearchCase{
            "double-byte characters", YC_GBK("中."), {}, YC_GBK("中文 中国"), 2, YC_GBK("中文")},
        SearchCase{"unicode escape", "\\u4E2D", {}, YC_GBK("x中"), 1, YC_GBK("中")},
        SearchCase{"empty matches step on", "x*", {}, "ab", 3, ""},
        SearchCase{"dollar before CR LF", "c$", {}, "abc\r\ndef", 1, "c"},
        SearchCase{"caret after a lone CR", "^d", {}, "abc\rdef", 1, "d"},
        SearchCase{"dot stops at CR", "^k=(.*)$", {}, "k=v\r\nk=w\r\n", 2, "k=v"},
        SearchCase{"\\v is the vertical tab alone",
                   "a\\vb|[\\v]c",
                   {},
                   "a\nb a\x0B"
                   "b \nc",
                   1,
                   "a\x0B"
                   "b"},
        SearchCase{"\\x takes two hex digits", "\\x41\\xg", {}, "xg Axg", 1, "Axg"}),
    test::ByLabel());

TEST(RegexObject, SearchKeepsTheTextOfDoubleByteMatches) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile(YC_GBK("文(.)")));
    ASSERT_EQ(regex.Search(YC_GBK("中文字 文件")), 2);
    EXPECT_EQ(regex.MatchText(2), YC_GBK("文件"));
    EXPECT_EQ(regex.GroupText(1, 1), YC_GBK("字"));
}

TEST(RegexObject, PositionsCountCharactersFromZero) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("(b)(x)?"));
    ASSERT_EQ(regex.Search(YC_GBK("中文ab")), 1);
    int position = -1;
    EXPECT_EQ(regex.MatchTextAndPosition(1, &position), "b");
    EXPECT_EQ(position, 3);
    EXPECT_EQ(regex.GroupCount(), 2);
    position = -1;
    EXPECT_EQ(regex.GroupTextAndPosition(1, 1, &position), "b");
    EXPECT_EQ(position, 3);                // the whole match's start, not the group's
    EXPECT_EQ(regex.GroupText(1, 2), "");  // took no part
}

TEST(RegexObject, MissingMatchesAndGroupsGiveEmptyTextAndLeavePositionAlone) {
    RegexObject regex;
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.GroupCount(), 0);
    ASSERT_TRUE(regex.Compile("a(b)"));
    ASSERT_EQ(regex.Search("ab"), 1);
    int position = 42;
    EXPECT_EQ(regex.MatchTextAndPosition(2, &position), "");
    EXPECT_EQ(position, 42);
    EXPECT_EQ(regex.MatchText(0), "");
    EXPECT_EQ(regex.GroupText(1, 2), "");
    EXPECT_EQ(regex.GroupText(1, -1), "");
    EXPECT_EQ(regex.GroupText(1, 0), "");  // groups count from 1
}

struct ReplaceCase : test::TableCase {
    std::string_view pattern;
    RegexFlags flags;
    std::string_view subject;
    std::string_view replacement;
    std::string_view expected;
};

class ReplaceTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, FollowsTheScriptingEngineRules) {
    const ReplaceCase& c = GetParam();
    RegexObject regex;
    ASSERT_TRUE(regex.Compile(c.pattern, c.flags));
    EXPECT_EQ(regex.Replace(c.subject, c.replacement), c.expected);
}

const Text kNormaliser = YC_GBK("[\\s　]{0,10}=[\\s　]{0,10}");

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTest,
    testing::Values(
        ReplaceCase{
            "tab and full-width spaces collapse", kNormaliser, {}, YC_GBK("a\t=　　b"), "=", "a=b"},
        ReplaceCase{"eleven spaces leave one", kNormaliser, {}, "a           =b", "=", "a =b"},
        ReplaceCase{
            "group reference", "(\\w+)@(\\w+)", {}, "joe@example", "$2 at $1", "example at joe"},
        ReplaceCase{
            "whole match, dollar and sides", "b", {}, "abc", "[$&|$$|$`|$']", "a[b|$|a|c]c"},
        ReplaceCase{"missing group is literal", "(a)", {}, "a", "$2$0", "$2$0"},
        ReplaceCase{"two digits only when the group exists", "(a)", {}, "a", "$10", "a0"},
        ReplaceCase{"unset group is empty", "(a)|(b)", {}, "b", "[$1]", "[]"},
        ReplaceCase{"first only without global", "a", {{}, {}, false}, "aaa", "b", "baa"},
        ReplaceCase{"empty matches between characters", "x*", {}, "ab", "-", "-a-b-"},
        ReplaceCase{"bytes outside matches kept", " = ", {}, "\xFF = \x81", "=", "\xFF=\x81"},
        ReplaceCase{"no match leaves the subject", "z", {}, "abc", "y", "abc"}),
    test::ByLabel());

TEST(RegexObject, InvalidPatternFailsCompileAndLeavesNoExpression) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("a"));
    EXPECT_FALSE(regex.Compile("(a"));
    EXPECT_EQ(regex.Pattern(), "");
    EXPECT_EQ(regex.Search("a"), 0);
    EXPECT_EQ(regex.Replace("a", "b"), "a");
}

TEST(RegexObject, PatternIsKeptInGbk) {
    RegexObject regex;
    EXPECT_EQ(regex.Pattern(), "");
    ASSERT_TRUE(regex.Compile(YC_GBK("域名\\d")));
    EXPECT_EQ(regex.Pattern(), YC_GBK("域名\\d"));
}

TEST(RegexObject, PathologicalPatternGivesUpInsteadOfHanging) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("(a+)+b"));
    const Text subject = Text(5000, 'a') + "c";
    EXPECT_EQ(regex.Search(subject), 0);
    EXPECT_EQ(regex.Replace(subject, "x"), subject);
    ASSERT_TRUE(regex.Compile("(a|aa)*(a|aa)*(a|aa)*$x"));
    EXPECT_EQ(regex.Search(Text(200, 'a')), 0);
}

TEST(RegexObject, LazyLoopsRunOverAWholePage) {
    Text page;
    while (page.size() < (std::size_t{2} << 20)) {
        page += Text(78, 'a') + "\r\n";
    }
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("<td>((?:.|\\r|\\n)*?)</td>"));
    ASSERT_EQ(regex.Search("<td>" + page + "</td>"), 1);
    EXPECT_EQ(regex.GroupText(1, 1), page);
    ASSERT_TRUE(regex.Compile("(.|\\n)*?x"));
    EXPECT_EQ(regex.Search(page.substr(0, 256 << 10) + "x"), 1);
}

TEST(RegexObject, CatastrophicBacktrackingStopsQuickly) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("(a|aa)+$"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(regex.Search(Text(40, 'a') + "!"), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(RegexObject, CopySharesMatchesUntilEitherSideSearchesAgain) {
    RegexObject original;
    ASSERT_TRUE(original.Compile("a"));
    ASSERT_EQ(original.Search("aaa"), 3);
    RegexObject copy = original;
    EXPECT_EQ(copy.MatchCount(), 3);
    EXPECT_EQ(copy.Pattern(), "a");
    ASSERT_TRUE(copy.Compile("b"));
    EXPECT_EQ(copy.Search("b"), 1);
    EXPECT_EQ(original.MatchCount(), 3);
    EXPECT_EQ(original.Pattern(), "a");
}

TEST(RegexObject, ArbitraryBytesNeverBreakTheEngine) {
    RegexObject regex;
    ASSERT_TRUE(regex.Compile("."));
    const Text bytes("\x00\x81\xFF\x80\xB0", 5);
    EXPECT_GT(regex.Search(bytes), 0);
    EXPECT_EQ(regex.Replace(bytes, "$&"), bytes);
    EXPECT_EQ(regex.Replace(bytes.substr(0, 2), ""), "");
}

}  // namespace
}  // namespace yc::text
