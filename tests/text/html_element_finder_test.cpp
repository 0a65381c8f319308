// HtmlElementFinder: which elements a scan records and with what spans, for the options and the
// markup that real and hostile pages contain.
#include <gtest/gtest.h>

#include <vector>

#include "support/table_test.h"
#include "text/charset.h"
#include "text/html_element_finder.h"

namespace yc::text {
namespace {

std::vector<Text> allRawTexts(const HtmlElementFinder& finder) {
    std::vector<Text> texts;
    for (int n = 1; n <= finder.ElementCount(); ++n) {
        texts.push_back(finder.ElementText(n, true));
    }
    return texts;
}

struct ScanCase : test::TableCase {
    std::string_view page;
    std::string_view tags;
    std::vector<Text> names;
    std::vector<Text> values;
    FindOptions options;
    std::vector<Text> expected;  // raw element texts, in order
};

class ScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, RecordsTheExpectedElements) {
    const ScanCase& c = GetParam();
    HtmlElementFinder finder;
    EXPECT_EQ(finder.FindElements(c.page, c.tags, c.names, c.values, c.options),
              static_cast<int>(c.expected.size()));
    EXPECT_EQ(allRawTexts(finder), c.expected);
}

const std::vector<Text> kName{"name"};
const std::vector<Text> kDomain{"domain[]"};

// Tag names and the boundary after them.
INSTANTIATE_TEST_SUITE_P(
    TagNames, ScanTest,
    testing::Values(ScanCase{"inputs is not input",
                             "<inputs name=\"domain[]\"><input name=\"domain[]\">",
                             "input",
                             kName,
                             kDomain,
                             {},
                             {"<input name=\"domain[]\">"}},
                    ScanCase{"input digit is not input",
                             "<input2 a=1><input-x a=2>",
                             "input",
                             {},
                             {},
                             {},
                             {"<input-x a=2>"}},
                    ScanCase{"start tag at the very end",
                             "<p>x</p><input value=\"z\">",
                             "input",
                             {},
                             {},
                             {},
                             {"<input value=\"z\">"}},
                    ScanCase{"open pattern at the very end", "abc<input", "input", {}, {}, {}, {}},
                    ScanCase{"upper-case page",
                             "<INPUT NAME=\"DOMAIN[]\" VALUE=\"A.com\">",
                             "input",
                             kName,
                             kDomain,
                             {},
                             {"<INPUT NAME=\"DOMAIN[]\" VALUE=\"A.com\">"}},
                    ScanCase{"case kept when asked",
                             "<DIV>a</DIV><div>b</div>",
                             "div",
                             {},
                             {},
                             {{}, {}, false, {}, {}},
                             {"<div>b</div>"}},
                    ScanCase{"td then th",
                             "<tr><th>h</th><td>a</td><td>b</td></tr>",
                             "td|th",
                             {},
                             {},
                             {},
                             {"<td>a</td>", "<td>b</td>", "<th>h</th>"}},
                    ScanCase{"no such tag", "<p>x</p>", "input", {}, {}, {}, {}},
                    // 81 3C is one double-byte character: its trail byte is no "<".
                    ScanCase{"trail byte is no tag", "\x81<input a=1>", "input", {}, {}, {}, {}},
                    // Whether an element closes must not depend on the names scanned before.
                    ScanCase{"name holding a space after another name",
                             "<td>1</td><a b>x</a b>",
                             "td|a b",
                             {},
                             {},
                             {},
                             {"<td>1</td>", "<a b>x</a b>"}},
                    ScanCase{"trail byte 20 after another name",
                             "<td>1</td><\x81 b>x</\x81 b>",
                             "td|\x81 b",
                             {},
                             {},
                             {},
                             {"<td>1</td>", "<\x81 b>x</\x81 b>"}},
                    ScanCase{"double-byte tag name",
                             YC_GBK("<表 a=1>x</表>"),
                             YC_GBK("表"),
                             {},
                             {},
                             {},
                             {YC_GBK("<表 a=1>x</表>")}}),
    test::ByLabel());

// Attribute tests on the start tag, before any normalising.
INSTANTIATE_TEST_SUITE_P(
    AttributeTests, ScanTest,
    testing::Values(
        ScanCase{"exact value",
                 "<input name=\"domain[]\"><input name=\"other\">",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {"<input name=\"domain[]\">"}},
        ScanCase{"blanks around name equals fail",
                 "<input name = \"domain[]\">",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {}},
        ScanCase{
            "tab before name fails", "<input\tname=\"domain[]\">", "input", kName, kDomain, {}, {}},
        ScanCase{"apostrophes",
                 "<input name='domain[]'>",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {"<input name='domain[]'>"}},
        ScanCase{"unquoted before a space",
                 "<input name=domain[] value=x>",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {"<input name=domain[] value=x>"}},
        ScanCase{"unquoted before the end",
                 "<input name=domain[]>",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {"<input name=domain[]>"}},
        ScanCase{"spaces inside quotes trimmed",
                 "<input name=\" Domain[]\xA1\xA1\">",
                 "input",
                 kName,
                 kDomain,
                 {},
                 {"<input name=\" Domain[]\xA1\xA1\">"}},
        ScanCase{
            "exact refuses a part", "<input name=\"domain[]x\">", "input", kName, kDomain, {}, {}},
        ScanCase{"contains accepts a part",
                 "<input name=\"my-DOMAIN[]x\">",
                 "input",
                 kName,
                 kDomain,
                 {true, {}, {}, {}, {}},
                 {"<input name=\"my-DOMAIN[]x\">"}},
        ScanCase{"empty value tests presence",
                 "<input checked=\"\"><input checked>",
                 "input",
                 {"checked"},
                 {},
                 {},
                 {"<input checked=\"\">"}},
        ScanCase{"any name passes",
                 "<a id=\"x\"><a rel=\"y\"><a id=\"z\">",
                 "a",
                 {"id", "rel"},
                 {"x", "y"},
                 {},
                 {"<a id=\"x\">", "<a rel=\"y\">"}},
        ScanCase{"all names must pass",
                 "<a id=\"x\" rel=\"y\"><a id=\"x\">",
                 "a",
                 {"id", "rel"},
                 {"x", "y"},
                 {{}, true, {}, {}, {}},
                 {"<a id=\"x\" rel=\"y\">"}},
        ScanCase{"extra values ignored",
                 "<a id=\"x\">",
                 "a",
                 {"id"},
                 {"x", "unused"},
                 {},
                 {"<a id=\"x\">"}},
        ScanCase{"greater-than inside quotes ends the tag",
                 "<a title=\"1>2\" id=\"x\">",
                 "a",
                 {"id"},
                 {"x"},
                 {},
                 {}}),
    test::ByLabel());

// Where elements end.
INSTANTIATE_TEST_SUITE_P(
    ElementEnds, ScanTest,
    testing::Values(
        ScanCase{"nested divs give two",
                 "<div id=\"a\"><div id=\"b\">x</div></div>",
                 "div",
                 {},
                 {},
                 {},
                 {"<div id=\"a\"><div id=\"b\">x</div></div>", "<div id=\"b\">x</div>"}},
        ScanCase{"unclosed start tag skipped", "<div id=\"a\"", "div", {}, {}, {}, {}},
        ScanCase{"unclosed element is its start tag", "<div><p>x", "div", {}, {}, {}, {"<div>"}},
        ScanCase{"inner unclosed leaves outer balanced",
                 "<div>a<div>b</div>",
                 "div",
                 {},
                 {},
                 {},
                 {"<div>", "<div>b</div>"}},
        ScanCase{"self-closing", "<br/><br>x</br>", "br", {}, {}, {}, {"<br/>", "<br>x</br>"}},
        ScanCase{"upper-case closing tag", "<DIV>x</DIV>", "div", {}, {}, {}, {"<DIV>x</DIV>"}},
        ScanCase{"inner only, closing tag inside the start tag",
                 "<td a='</td>x",
                 "td",
                 {},
                 {},
                 {{}, {}, {}, true, {}},
                 {""}},
        ScanCase{"closing tag inside the start tag",
                 "<td a='</td>x",
                 "td",
                 {},
                 {},
                 {},
                 {"<td a='</td>"}},
        ScanCase{"inner only",
                 "<div><div>x</div></div><br/><div>",
                 "div|br",
                 {},
                 {},
                 {{}, {}, {}, true, {}},
                 {"<div>x</div>", "x", "", ""}}),
    test::ByLabel());

// With no tag name every start tag is an element, named by its first word.
INSTANTIATE_TEST_SUITE_P(
    AnyTag, ScanTest,
    testing::Values(
        ScanCase{"every start tag",
                 "<p>x</p><!-- c --><br/>",
                 "",
                 {},
                 {},
                 {},
                 {"<p>x</p>", "<!-- c -->", "<br/>"}},
        ScanCase{"letters only",
                 "<p>x</p><!-- c --><?xml?><br/>",
                 "",
                 {},
                 {},
                 {{}, {}, {}, {}, true},
                 {"<p>x</p>", "<br/>"}},
        ScanCase{"name ends at a line break",
                 "<td\r\nclass>a</td>",
                 "",
                 {},
                 {},
                 {},
                 {"<td\r\nclass>a</td>"}},
        ScanCase{"mixed names nest independently",
                 "<a><b><a>x</a></b></a>",
                 "",
                 {},
                 {},
                 {},
                 {"<a><b><a>x</a></b></a>", "<b><a>x</a></b>", "<a>x</a>"}},
        ScanCase{"names holding a tag opening",
                 "<p></p><a<1>x</a<1><a<1>",
                 "",
                 {},
                 {},
                 {},
                 {"<p></p>", "<a<1>x</a<1>", "<1>", "<1>", "<a<1>", "<1>"}},
        // "<a-1-2" counts as an opening tag of a-1 too (the byte after the name is no
        // letter or digit),
        // so the a-1 element stays unbalanced.
        ScanCase{"names sharing a leading word",
                 "<b></b><a-1><a-1-2>x</a-1-2></a-1><a>",
                 "",
                 {},
                 {},
                 {},
                 {"<b></b>", "<a-1>", "<a-1-2>x</a-1-2>", "<a>"}},
        // The name is empty, so "</>" closes it; the "<" there also counts as an opening
        // tag, but only for what follows it.
        ScanCase{"empty name closed by </>", "< x>y</><b>", "", {}, {}, {}, {"< x>y</>", "<b>"}},
        ScanCase{"empty piece scans every tag",
                 "<i>x</i>",
                 "b||i",
                 {},
                 {},
                 {},
                 {"<i>x</i>", "<i>x</i>"}},
        ScanCase{"with attribute test",
                 "<a id=\"x\"><b id=\"x\"></b>",
                 "",
                 {"id"},
                 {"x"},
                 {},
                 {"<a id=\"x\">", "<b id=\"x\"></b>"}}),
    test::ByLabel());

// Bytes that are not well-formed GBK or HTML.
INSTANTIATE_TEST_SUITE_P(
    HostileBytes, ScanTest,
    testing::Values(ScanCase{"NUL bytes",
                             std::string_view("<a\0>x</a>\0", 10),
                             "a",
                             {},
                             {},
                             {},
                             {std::string("<a\0>x</a>", 9)}},
                    ScanCase{"lead byte last", "<a>\xB0", "a", {}, {}, {}, {"<a>"}},
                    ScanCase{
                        "lone angle brackets", "<<>><</>", "", {}, {}, {}, {"<<>", "<>", "<</>"}},
                    ScanCase{"empty page", "", "input", kName, kDomain, {}, {}}),
    test::ByLabel());

TEST(HtmlElementFinder, ExchangePageGivesTheFreeNames) {
    const Text page = YC_GBK(
        "<HTML><form><table><tr><td><INPUT type=checkbox NAME=\"domain[]\" VALUE=\"Free.com\">"
        "</td></tr><tr><td><input name=\"domain[]\" value = '中文.cn'/></td></tr>"
        "<tr><td><input name=\"taken\" value=\"x.com\"></td></tr></table></form></HTML>");
    HtmlElementFinder finder;
    const int count = finder.FindElements(page, "input", {"name"}, {"domain[]"});
    ASSERT_EQ(count, 2);
    std::vector<Text> values;
    for (int k = 1; k <= count; ++k) {
        const Text element = finder.ElementText(k);
        values.push_back(finder.AttributeValue(element, "value"));
    }
    EXPECT_EQ(values, (std::vector<Text>{"Free.com", YC_GBK("中文.cn")}));
}

TEST(HtmlElementFinder, ElementTextNormalisesEqualsEvenInsideValues) {
    HtmlElementFinder finder;
    ASSERT_EQ(finder.FindElements("<a href = \"x?a = 1\" >t</a>", "a", {}, {}), 1);
    EXPECT_EQ(finder.ElementText(1), "<a href=\"x?a=1\" >t</a>");
    EXPECT_EQ(finder.ElementText(1, true), "<a href = \"x?a = 1\" >t</a>");
    EXPECT_EQ(finder.ElementText(0), "");
    EXPECT_EQ(finder.ElementText(2), "");
}

TEST(HtmlElementFinder, ResetForgetsThePageButNotTheCount) {
    HtmlElementFinder finder;
    ASSERT_EQ(finder.FindElements("<a>x</a>", "a", {}, {}), 1);
    finder.Reset();
    EXPECT_EQ(finder.ElementCount(), 1);
    EXPECT_EQ(finder.ElementText(1), "");
    EXPECT_EQ(finder.CurrentElement(), "");
}

TEST(HtmlElementFinder, NextScanReplacesEverything) {
    HtmlElementFinder finder;
    ASSERT_EQ(finder.FindElements("<a>1</a><a>2</a>", "a", {}, {}), 2);
    ASSERT_EQ(finder.FindElements("<b>3</b>", "b", {}, {}), 1);
    EXPECT_EQ(finder.ElementText(1), "<b>3</b>");
}

struct NormaliseCase : test::TableCase {
    std::string_view input;
    std::string_view expected;
};

class NormaliseTest : public testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseTest, DropsBlanksAroundEquals) {
    HtmlElementFinder finder;
    EXPECT_EQ(finder.NormaliseEquals(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormaliseTest,
    testing::Values(NormaliseCase{"tab and full-width",
                                  "a\t=\xA1\xA1\xA1\xA1"
                                  "b",
                                  "a=b"},
                    NormaliseCase{"eleven spaces leave one", "a           = b", "a =b"},
                    NormaliseCase{"line breaks", "a\r\n=\r\nb", "a=b"},
                    NormaliseCase{"nothing to do", "a=b c", "a=b c"},
                    NormaliseCase{"bytes kept around", "\xFF = \x81", "\xFF=\x81"}),
    test::ByLabel());

}  // namespace
}  // namespace yc::text
