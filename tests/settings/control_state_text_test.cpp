// The text side of control-state save and restore: control kinds by name, tag markers, the
// fingerprint checksum, item-list texts and snapshot values.
#include <gtest/gtest.h>

#include <cstdio>

#include "settings/crc32.h"
#include "settings/item_list_text.h"
#include "settings/state_kind.h"
#include "store_fixture.h"
#include "support/table_test.h"

namespace yc::test {
namespace {

using settings::CheckListItem;
using settings::ListItem;
using settings::StateKind;
using settings::TreeItem;

struct KindCase : test::TableCase {
    std::string_view utf8Name;
    std::optional<StateKind> expected;
};

class StateKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(StateKindTest, KindComesFromTheNamePrefix) {
    EXPECT_EQ(settings::stateKindOf(gbk(GetParam().utf8Name)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StateKindTest,
    testing::Values(KindCase{"button", "按钮开始查询", StateKind::Button},
                    KindCase{"edit box", "编辑框正文", StateKind::EditBox},
                    KindCase{"check box", "选择框查询时自动保存", StateKind::CheckBox},
                    KindCase{"radio", "单选框未注册", StateKind::RadioButton},
                    KindCase{"combo", "组合框1", StateKind::ComboBox},
                    KindCase{"list box", "列表框1", StateKind::ListBox},
                    KindCase{"checked list", "选择列表框1", StateKind::CheckListBox},
                    KindCase{"colour", "颜色选择器1", StateKind::ColorPicker},
                    KindCase{"dialog", "通用对话框1", StateKind::CommonDialog},
                    KindCase{"tree", "树型框1", StateKind::TreeBox},
                    KindCase{"bare prefix", "按钮", StateKind::Button},
                    KindCase{"label", "标签1", std::nullopt},
                    KindCase{"list view", "超级列表框", std::nullopt},
                    KindCase{"prefix later in the name", "大按钮", std::nullopt},
                    KindCase{"empty", "", std::nullopt}),
    ByLabel());

TEST(TagMarkers, OnlyTheExactTextCounts) {
    EXPECT_TRUE(settings::isNoSaveTag(gbk("禁止保存")));
    EXPECT_FALSE(settings::isNoSaveTag(gbk("请禁止保存")));
    EXPECT_FALSE(settings::isNoSaveTag(gbk("禁止保存 ")));
    EXPECT_TRUE(settings::isByteModeTag(gbk("字节集方式")));
    EXPECT_FALSE(settings::isByteModeTag(gbk("字节集方式1")));
    EXPECT_EQ(settings::tagKeySuffix(), gbk(".标记"));
    EXPECT_EQ(settings::comboTextKeySuffix(), gbk(".内容"));
    EXPECT_EQ(settings::comboItemsKeySuffix(), gbk(".项目"));
    EXPECT_EQ(settings::treeKeySuffix(), gbk(".列表"));
}

TEST(Crc32, StandardCheckValues) {
    EXPECT_EQ(settings::crc32("123456789"), 0xCBF43926U);
    EXPECT_EQ(settings::crc32Text("123456789"), "CBF43926");
    EXPECT_EQ(settings::crc32Text("The quick brown fox jumps over the lazy dog"), "414FA339");
    EXPECT_EQ(settings::crc32Text(std::string_view("\0", 1)), "D202EF8D");
    EXPECT_EQ(settings::crc32Text(""), "");
}

TEST(Crc32, TextHasNoLeadingZeros) {
    for (int i = 0;; ++i) {
        const std::string bytes = std::to_string(i);
        const std::uint32_t crc = settings::crc32(bytes);
        if (crc < 0x10000000U) {
            char expected[16];
            std::snprintf(expected, sizeof expected, "%X", crc);
            EXPECT_EQ(settings::crc32Text(bytes), expected);
            EXPECT_LT(settings::crc32Text(bytes).size(), 8U);
            return;
        }
    }
}

TEST(ItemLists, ListBoxFromTwoItems) {
    EXPECT_EQ(settings::parseListItems("first{G}1{H}second{G}2"),
              (std::vector<ListItem>{{"first", 1}, {"second", 2}}));
}

TEST(ItemLists, SaveFormsJoinItemsAndFields) {
    EXPECT_EQ(settings::listItemsText({{gbk("甲"), 1}, {"b", -2}}), gbk("甲{G}1{H}b{G}-2"));
    EXPECT_EQ(settings::listItemsText({}), "");
    EXPECT_EQ(settings::checkListItemsText({{"a", 0, true}, {"b", 5, false}}),
              gbk("a{G}0{G}真{H}b{G}5{G}假"));
    EXPECT_EQ(settings::treeItemsText(
                  {{-1, "root", 1, 2, 3, true, -1, true}, {0, "leaf", 0, 0, 0, false, 2, false}}),
              gbk("-1{G}root{G}1{G}2{G}3{G}真{G}-1{G}真{H}0{G}leaf{G}0{G}0{G}0{G}假{G}2{G}假"));
}

TEST(ItemLists, SaveAndRestoreRoundTrip) {
    const std::vector<TreeItem> tree{{-1, gbk("根"), 1, 2, 3, true, -1, true},
                                     {0, "", 0, 0, 0, false, 4, false}};
    EXPECT_EQ(settings::parseTreeItems(settings::treeItemsText(tree)), tree);
    const std::vector<CheckListItem> checks{{"a", 7, true}, {"", 0, false}};
    EXPECT_EQ(settings::parseCheckListItems(settings::checkListItemsText(checks)), checks);
}

struct ParseCase : test::TableCase {
    std::string_view text;
    std::vector<ListItem> expected;
};

class ListParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ListParseTest, RestoreRules) {
    EXPECT_EQ(settings::parseListItems(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListParseTest,
    testing::Values(
        ParseCase{"empty text gives no items", "", {}},
        ParseCase{"trailing separator dropped", "a{G}1{H}", {{"a", 1}}},
        ParseCase{"empty middle part counts", "a{H}{H}b", {{"a", 0}, {"", 0}, {"b", 0}}},
        ParseCase{"missing value is 0", "a", {{"a", 0}}},
        ParseCase{"extra fields dropped", "a{G}3{G}x{G}y", {{"a", 3}}},
        ParseCase{"non-numeric value is 0", "a{G}x", {{"a", 0}}},
        // "\x81{" is one double-byte character, so no separator starts at its trail byte.
        ParseCase{"separator never inside a character", "\x81{G}{G}4", {{"\x81{G}", 4}}}),
    ByLabel());

TEST(ItemLists, CheckMarkOnlyForTheTrueWord) {
    const auto items = settings::parseCheckListItems(gbk("a{G}1{G}真{H}b{G}2{G}1{H}c"));
    ASSERT_EQ(items.size(), 3U);
    EXPECT_TRUE(items[0].checked);
    EXPECT_FALSE(items[1].checked);
    EXPECT_FALSE(items[2].checked);
}

TEST(Snapshot, ValuesSplitAtTheLineBreakEscape) {
    EXPECT_EQ(settings::splitSnapshot(gbk("a┊*┊┊*┊真┊*┊")),
              (std::vector<Text>{"a", "", gbk("真")}));
    EXPECT_TRUE(settings::splitSnapshot("").empty());
}

}  // namespace
}  // namespace yc::test
