// Byte-exact behaviour of the store's lookups and edits, with the file following the buffer.
#include <gtest/gtest.h>

#include "store_fixture.h"
#include "support/table_test.h"

namespace yc::test {
namespace {

using settings::SettingsStore;

class StoreEditTest : public BoundStoreTest {};

TEST_F(StoreEditTest, FirstWritesBuildTheSectionWithoutTrailingLineBreak) {
    ASSERT_TRUE(bindTo("", 0, false));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / fileName));
    EXPECT_EQ(store.WriteValue(gbk("主界面"), "K", "V", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\nK=V"));
    EXPECT_EQ(store.WriteValue(gbk("主界面"), "J", "", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\nK=V\r\nJ="));
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, NewKeyGoesBeforeTheNextSectionsLineBreak) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1\r\n[B]\r\nK=2"));
    EXPECT_EQ(store.WriteValue("A", "N", "new", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=1\r\nN=new\r\n[B]\r\nK=2");
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, RewritesChangeOnlyTheValueBytes) {
    ASSERT_TRUE(bindTo("[A]\r\nK=abc\r\nL=x\r\n[B]\r\nK=2"));
    EXPECT_EQ(store.WriteValue("A", "K", "a much longer value", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=a much longer value\r\nL=x\r\n[B]\r\nK=2");
    expectFileEqualsBuffer();
    EXPECT_EQ(store.WriteValue("A", "K", "s", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=s\r\nL=x\r\n[B]\r\nK=2");
    expectFileEqualsBuffer();
    EXPECT_EQ(store.WriteValue("B", "K", "", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=s\r\nL=x\r\n[B]\r\nK=");
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, KeyOnlyInALaterSectionIsMissing) {
    ASSERT_TRUE(bindTo("[A]\r\nX=1\r\n[B]\r\nK=2"));
    EXPECT_EQ(store.ReadValue("A", "K", "dflt"), "dflt");
    EXPECT_EQ(store.ReadValue("B", "K", "dflt"), "2");
    EXPECT_EQ(store.WriteValue("A", "K", "1", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nX=1\r\nK=1\r\n[B]\r\nK=2");
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, MissingSectionIsAppendedAfterALineBreak) {
    ASSERT_TRUE(bindTo("[A]\r\nX=1"));
    EXPECT_EQ(store.WriteValue(gbk("连接"), gbk("键"), gbk("值"), true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), gbk("[A]\r\nX=1\r\n[连接]\r\n键=值"));
    expectFileEqualsBuffer();
}

struct ReadCase : test::TableCase {
    std::string_view content;
    std::string_view section;
    std::string_view key;
    bool emptyMeansDefault;
    std::string_view expected;
};

class StoreReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(StoreReadTest, FindsTheRightEntry) {
    const ReadCase& c = GetParam();
    SettingsStore store;
    store.SetContent(c.content, false);
    EXPECT_EQ(store.ReadValue(c.section, c.key, "<default>", c.emptyMeansDefault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreReadTest,
    testing::Values(
        ReadCase{"plain", "[A]\r\nK=v", "A", "K", false, "v"},
        ReadCase{"K does not match K2", "[A]\r\nK2=x", "A", "K", false, "<default>"},
        ReadCase{"K found after K2", "[A]\r\nK2=x\r\nK=y", "A", "K", false, "y"},
        ReadCase{"header after text is no header", "x[A]\r\nK=1\r\n[A]\r\nK=2", "A", "K", false,
                 "2"},
        ReadCase{"header only after text", "x[A]\r\nK=1", "A", "K", false, "<default>"},
        ReadCase{"first of two headers", "[A]\r\nK=1\r\n[A]\r\nK=2", "A", "K", false, "1"},
        ReadCase{"first header lacks the key", "[A]\r\nJ=1\r\n[A]\r\nK=2", "A", "K", false,
                 "<default>"},
        ReadCase{"case matters", "[A]\r\nk=1", "A", "K", false, "<default>"},
        ReadCase{"nothing trimmed", "[A]\r\n K = 1", "A", " K ", false, " 1"},
        ReadCase{"empty value", "[A]\r\nK=", "A", "K", false, ""},
        ReadCase{"empty value means default", "[A]\r\nK=\r\nL=2", "A", "K", true, "<default>"},
        ReadCase{"value to the line end", "[A]\r\nK=a=b\r\nL=2", "A", "K", false, "a=b"},
        ReadCase{"key on the first line has no section", "K=1\r\n[A]", "A", "K", false,
                 "<default>"},
        ReadCase{"missing section", "[B]\r\nK=1", "A", "K", false, "<default>"},
        ReadCase{"section name is exact", "[AB]\r\nK=1", "A", "K", false, "<default>"},
        ReadCase{"empty buffer", "", "A", "K", false, "<default>"}),
    ByLabel());

TEST_F(StoreEditTest, WriteUsesTheFirstOfTwoHeaders) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1\r\n[A]\r\nK=2"));
    EXPECT_EQ(store.WriteValue("A", "K", "9", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=9\r\n[A]\r\nK=2");
    EXPECT_EQ(store.WriteValue("A", "N", "n", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nK=9\r\nN=n\r\n[A]\r\nK=2");
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, HeaderAfterTextOnALineIsSkippedByWrites) {
    ASSERT_TRUE(bindTo("[B]\r\nx=[A]\r\nK=1"));
    EXPECT_EQ(store.WriteValue("A", "K", "2", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[B]\r\nx=[A]\r\nK=1\r\n[A]\r\nK=2");
    expectFileEqualsBuffer();
}

TEST(StoreSections, FindNextSectionHeaderUsesOneBasedPositions) {
    SettingsStore store;
    store.SetContent("[A]\r\nK=1\r\n[B]\r\nL=2\r\n[C]", false);
    EXPECT_EQ(store.FindNextSectionHeader(1, 100), 11);   // the "[" of "[B]"
    EXPECT_EQ(store.FindNextSectionHeader(12, 100), -1);  // "[C]" has no line break after it
    EXPECT_EQ(store.FindNextSectionHeader(1, 9), -1);     // its CR LF lies at the limit
    EXPECT_EQ(store.FindNextSectionHeader(1, 12), -1);    // its "]" lies past the limit
    EXPECT_EQ(store.FindNextSectionHeader(1, 13), 11);
    store.SetContent("[A]\r\n[x\r\ny]\r\nK=1", false);
    EXPECT_EQ(store.FindNextSectionHeader(1, 100), -1);  // a header does not span lines
}

TEST_F(StoreEditTest, DeleteEntryAndSections) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1\r\nL=2\r\n[B]\r\nK=3\r\n[C]\r\nM=4"));
    EXPECT_EQ(store.DeleteEntry("A", "K", true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nL=2\r\n[B]\r\nK=3\r\n[C]\r\nM=4");
    EXPECT_EQ(store.DeleteEntry("A", "K", true), SettingsStore::kNoKey);  // only in [B]
    EXPECT_EQ(store.DeleteEntry("Z", "K", true), SettingsStore::kNoSection);
    EXPECT_EQ(store.DeleteEntry("B", std::nullopt, true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nL=2\r\n[C]\r\nM=4");
    EXPECT_EQ(store.DeleteEntry("C", std::nullopt, true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]\r\nL=2\r\n");  // the line break before "[C]" stays
    expectFileEqualsBuffer();
    EXPECT_EQ(store.ReadValue("A", "L"), "2");
    // A header on the last line still ends the section in front of it.
    store.SetContent("[A]\r\nL=2\r\n[B]", false);
    EXPECT_EQ(store.DeleteEntry("A", std::nullopt, true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[B]");
}

TEST_F(StoreEditTest, RenameSectionAndKey) {
    ASSERT_TRUE(bindTo("x[A]\r\n[A]\r\nK=1\r\nK2=5\r\n[B]\r\nJ=2"));
    EXPECT_EQ(store.RenameSection("A", gbk("甲"), true), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), gbk("x[A]\r\n[甲]\r\nK=1\r\nK2=5\r\n[B]\r\nJ=2"));
    EXPECT_EQ(store.RenameKey(gbk("甲"), "K2", "Q", true), SettingsStore::kDone);
    EXPECT_EQ(store.RenameKey(gbk("甲"), "J", "Q", true), SettingsStore::kNoKey);
    EXPECT_EQ(store.RenameKey("A", "K", "Q", true), SettingsStore::kNoSection);
    EXPECT_EQ(store.ContentText(), gbk("x[A]\r\n[甲]\r\nK=1\r\nQ=5\r\n[B]\r\nJ=2"));
    EXPECT_EQ(store.ReadValue(gbk("甲"), "Q"), "5");  // the section cache was dropped
    expectFileEqualsBuffer();
}

TEST_F(StoreEditTest, SetContentReplacesOrAppends) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1"));
    EXPECT_EQ(store.ReadValue("A", "K"), "1");
    EXPECT_TRUE(store.SetContent("[B]\r\nK=2", false));
    EXPECT_EQ(store.ReadValue("A", "K", "none"), "none");
    EXPECT_TRUE(store.SetContent("\r\n[A]\r\nK=3", true));
    EXPECT_EQ(store.ReadValue("A", "K"), "3");
    expectFileEqualsBuffer();
}

}  // namespace
}  // namespace yc::test
