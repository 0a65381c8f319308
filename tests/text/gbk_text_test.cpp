// GBK-aware search and editing: matches never start on, and case changes never touch, a trail byte.
#include <gtest/gtest.h>

#include "support/table_test.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::text {
namespace {

// "\xB0\x41" is one double-byte character whose trail byte has the value of 'A'.
constexpr std::string_view kTrailA = "\xB0\x41";

struct FindCase : test::TableCase {
    std::string_view hay;
    std::string_view needle;
    std::size_t from;
    CaseMode mode;
    std::size_t expected;
};

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FindsOnCharacterBoundariesOnly) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find(c.hay, c.needle, c.from, c.mode), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTest,
    testing::Values(
        FindCase{"plain", "abc.com", ".com", 0, CaseMode::Exact, 3},
        FindCase{"from skips earlier", "a.b.c", ".", 2, CaseMode::Exact, 3},
        FindCase{"empty needle", "abc", "", 0, CaseMode::Exact, npos},
        FindCase{"needle longer", "ab", "abc", 0, CaseMode::Exact, npos},
        FindCase{"trail byte is not a start", "\xB0\x41x", "Ax", 0, CaseMode::Exact, npos},
        FindCase{"after a trail byte match", "\xB0\x41xAx", "Ax", 0, CaseMode::Exact, 3},
        FindCase{"case-insensitive", "WWW.Example", "www.", 0, CaseMode::IgnoreAscii, 0},
        FindCase{"case-insensitive tag", "x<INPUT", "<input", 0, CaseMode::IgnoreAscii, 1},
        FindCase{"case-insensitive skips trail",
                 "\xB0\x41"
                 "a",
                 "a", 0, CaseMode::IgnoreAscii, 2},
        FindCase{"trail never folded", "\xB0\x61", "\xB0\x41", 0, CaseMode::IgnoreAscii, npos},
        FindCase{"double-byte needle", "x\xD6\xD0\xCE\xC4", "\xCE\xC4", 0, CaseMode::Exact, 3},
        FindCase{"lone lead at end", "ab\xB0", "\xB0", 0, CaseMode::Exact, 2},
        FindCase{"NUL bytes", std::string_view("a\0b", 3), std::string_view("\0b", 2), 0,
                 CaseMode::Exact, 1}),
    test::ByLabel());

TEST(GbkSearch, ReverseFindHonoursLimitAndBoundaries) {
    EXPECT_EQ(rfind("a.b.c", "."), 3u);
    EXPECT_EQ(rfind("a.b.c", ".", 2), 1u);
    EXPECT_EQ(rfind("a.b.c", ".", 0), npos);
    EXPECT_EQ(rfind(std::string("\xB0.") + ".", "."), 2u);  // 0xB0 0x2E is one character
}

struct EditCase : test::TableCase {
    Text (*edit)(std::string_view);
    std::string_view input;
    std::string_view expected;
};

class EditTest : public testing::TestWithParam<EditCase> {};

TEST_P(EditTest, EditsWholeCharacters) {
    const EditCase& c = GetParam();
    EXPECT_EQ(c.edit(c.input), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditTest,
    testing::Values(EditCase{"trim spaces", trimSpaces, "  a b  ", "a b"},
                    EditCase{"trim full-width", trimSpaces, "\xA1\xA1 a\xA1\xA1", "a"},
                    EditCase{"tabs stay", trimSpaces, " \ta\t ", "\ta\t"},
                    EditCase{"only spaces", trimSpaces, " \xA1\xA1 ", ""},
                    // B0 A1 is one character; the A1 A1 that follows it is not a full-width space.
                    EditCase{"A1 A1 straddling characters", trimSpaces, "\xB0\xA1\xA1",
                             "\xB0\xA1\xA1"},
                    EditCase{"lone lead at end", trimSpaces, "a \xB0", "a \xB0"},
                    EditCase{"lower ASCII only", asciiLower, "AbC\xB0\x41Z", "abc\xB0\x41z"},
                    EditCase{"upper ASCII only", asciiUpper, "ab\xB0\x61z", "AB\xB0\x61Z"},
                    EditCase{"long runs keep neighbours of the letter range", asciiLower,
                             "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[`\xB0\x41xyz{0123456789ABCDEFGH",
                             "@abcdefghijklmnopqrstuvwxyz[`\xB0\x41xyz{0123456789abcdefgh"},
                    EditCase{"long upper run", asciiUpper, "`abcdefghijklmnopqrstuvwxyz{@Z\x81",
                             "`ABCDEFGHIJKLMNOPQRSTUVWXYZ{@Z\x81"}),
    test::ByLabel());

TEST(GbkEdit, ReplaceAllIsGbkAwareAndCaseSelectable) {
    EXPECT_EQ(replaceAll("a\r\nb\r\n", "\r\n", "|"), "a|b|");
    EXPECT_EQ(replaceAll("mywww.comWWW.x", "www.", "", CaseMode::IgnoreAscii), "mycomx");
    EXPECT_EQ(replaceAll(std::string(kTrailA) + "A", "A", "b"), std::string(kTrailA) + "b");
}

TEST(GbkEdit, SplitKeepsInnerEmptyPiecesAndDropsTrailingOne) {
    EXPECT_EQ(split("a.com||b.com|", "|"), (std::vector<Text>{"a.com", "", "b.com"}));
    EXPECT_EQ(split("", "|"), std::vector<Text>{});
    EXPECT_EQ(split("|", "|"), std::vector<Text>{""});
    EXPECT_EQ(split("x", "|"), std::vector<Text>{"x"});
}

TEST(GbkEdit, BetweenIgnoresCaseAndNeedsBothDelimiters) {
    EXPECT_EQ(between("<INPUT name=\"x\">", "name=\"", "\""), "x");
    EXPECT_EQ(between("Name=a;", "NAME=", ";"), "a");
    EXPECT_EQ(between("name=a", "name=", ";"), "");
    EXPECT_EQ(between("abc", "x", "c"), "");
}

}  // namespace
}  // namespace yc::text
