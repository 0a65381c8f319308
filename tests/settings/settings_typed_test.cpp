// Typed values: their stored forms in the file and how they read back.
#include <gtest/gtest.h>

#include <cmath>

#include "settings/stored_forms.h"
#include "store_fixture.h"
#include "support/table_test.h"

namespace yc::test {
namespace {

using settings::SettingsStore;

class TypedTest : public BoundStoreTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bindTo(""));
        store.SetSection(gbk("主界面"));
    }
    Text stored(std::string_view key) { return store.ReadValue(gbk("主界面"), key); }
};

TEST_F(TypedTest, TextKeepsLineBreaksEscapedOnOneLine) {
    EXPECT_TRUE(store.WriteText("list", "a.com\r\nb.com\r\n"));
    EXPECT_EQ(stored("list"), gbk("a.com┊*┊b.com┊*┊"));
    EXPECT_EQ(store.ReadText("list", "x"), "a.com\r\nb.com\r\n");
    expectFileEqualsBuffer();
}

TEST_F(TypedTest, EmptyStoredValueReadsAsTheDefault) {
    EXPECT_TRUE(store.WriteText("tag", ""));
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\ntag="));
    EXPECT_EQ(store.ReadText("tag", "line1\r\nline2"), "line1\r\nline2");
    EXPECT_EQ(store.ReadNumber("tag", 7), 7);
    EXPECT_TRUE(store.ReadBool("tag", true));
}

TEST_F(TypedTest, BooleansAreTrueOnlyForTheirWord) {
    EXPECT_TRUE(store.WriteBool("on", true));
    EXPECT_TRUE(store.WriteBool("off", false));
    EXPECT_EQ(stored("on"), gbk("真"));
    EXPECT_EQ(stored("off"), gbk("假"));
    store.WriteValue(gbk("主界面"), "one", "1", true);
    EXPECT_FALSE(store.ReadBool("one", true));
    EXPECT_TRUE(store.ReadBoolUnlessFalse("one", false));
    EXPECT_FALSE(store.ReadBoolUnlessFalse("off", true));
    EXPECT_TRUE(store.ReadBool("on", false));
    EXPECT_TRUE(store.ReadBoolUnlessFalse("missing", true));
}

TEST_F(TypedTest, ItemFlagRoundTrip) {
    EXPECT_TRUE(store.SaveItemFlag({"flag", true}));
    settings::ItemFlag item{"flag", false};
    EXPECT_TRUE(store.RestoreItemFlag(item));
    EXPECT_TRUE(item.flag);
}

TEST_F(TypedTest, DateTimeRoundTrips) {
    using namespace std::chrono;
    const settings::DateTime when = sys_days(2026y / December / 9) + 13h + 5min + 59s;
    EXPECT_TRUE(store.WriteDateTime("when", when));
    EXPECT_EQ(stored("when"), "2026-12-09 13:05:59");
    EXPECT_EQ(store.ReadDateTime("when"), when);
    store.WriteValue(gbk("主界面"), "bad", "2026-02-30 00:00:00", true);
    EXPECT_EQ(store.ReadDateTime("bad", when), when);
}

struct NumberCase : test::TableCase {
    double value;
    std::string_view stored;
};

class NumberFormTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormTest, FormatsWithThirteenDigitsAndReadsBack) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(settings::formatNumber(c.value), c.stored);
    EXPECT_EQ(settings::parseNumber(c.stored), std::stod(std::string(c.stored)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberFormTest,
    testing::Values(NumberCase{"minus one", -1, "-1"}, NumberCase{"zero", 0, "0"},
                    NumberCase{"fraction", 0.1, "0.1"},
                    NumberCase{"third", 1.0 / 3, "0.3333333333333"},
                    NumberCase{"large integer", 1234567890123, "1234567890123"},
                    NumberCase{"beyond 13 digits", 12345678901234, "1.234567890123e+13"},
                    NumberCase{"small", 0.00001, "1e-05"}),
    ByLabel());

struct ParseCase : test::TableCase {
    std::string_view stored;
    double expected;
};

class NumberParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(NumberParseTest, TextThatIsNotANumberGivesZero) {
    EXPECT_EQ(settings::parseNumber(GetParam().stored), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberParseTest,
    testing::Values(ParseCase{"words", "abc", 0}, ParseCase{"empty", "", 0},
                    ParseCase{"leading number", "12abc", 12}, ParseCase{"spaces", "  -3.5", -3.5},
                    ParseCase{"plus", "+4", 4}, ParseCase{"dot only", ".", 0},
                    ParseCase{"leading dot", ".5", 0.5}, ParseCase{"exponent", "2e3x", 2000},
                    ParseCase{"bare exponent", "2e", 2}, ParseCase{"infinity word", "inf", 0},
                    ParseCase{"hex", "0x10", 0}),
    ByLabel());

TEST(StoredForms, IntegerConversionClampsAndTruncates) {
    EXPECT_EQ(settings::toInteger(2.9), 2);
    EXPECT_EQ(settings::toInteger(-2.9), -2);
    EXPECT_EQ(settings::toInteger(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(settings::toInteger(std::nan("")), 0);
}

TEST_F(TypedTest, NumbersThroughTheStore) {
    EXPECT_TRUE(store.WriteNumber("n", -1));
    EXPECT_EQ(stored("n"), "-1");
    EXPECT_EQ(store.ReadNumber("n", 5), -1);
    EXPECT_EQ(store.ReadNumber("missing", 2.5), 2.5);
}

TEST_F(TypedTest, WindowPlacementOfAMaximisedWindowKeepsTheBounds) {
    store.SaveWindowPlacement({3, 10, 20, 300, 400});
    EXPECT_EQ(store.ContentText(), gbk("[主界面.尺寸]\r\n位置=3"));
    const settings::WindowPlacement current{0, 1, 2, 3, 4};
    EXPECT_EQ(store.RestoreWindowPlacement(current), (settings::WindowPlacement{3, 1, 2, 3, 4}));
    EXPECT_EQ(store.CurrentSection(), gbk("主界面.尺寸"));
}

TEST_F(TypedTest, WindowPlacementOfANormalWindow) {
    store.SaveWindowPlacement({0, 10, 20, 300, 400}, gbk("对话框"));
    EXPECT_EQ(store.ContentText(),
              gbk("[对话框.尺寸]\r\n位置=0\r\n左边=10\r\n顶边=20\r\n宽度=300\r\n高度=400"));
    EXPECT_EQ(store.RestoreWindowPlacement({}, gbk("对话框")),
              (settings::WindowPlacement{0, 10, 20, 300, 400}));
}

}  // namespace
}  // namespace yc::test
