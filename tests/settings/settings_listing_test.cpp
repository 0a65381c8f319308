// The listing operations: section names, entry names and reverse look-ups.
#include <gtest/gtest.h>

#include "store_fixture.h"

namespace yc::test {
namespace {

using settings::SettingsStore;
using Names = std::vector<Text>;

class ListingTest : public testing::Test {
  protected:
    void SetUp() override {
        store.SetContent(
            "top=1\r\n[A]\r\nK=1\r\nL=2\r\n[B.x]\r\nK=1\r\nnoequals\r\n=empty\r\nM=12\r\n"
            "[A]\r\nK=3\r\n[C]\r\nL=1=1",
            false);
    }
    SettingsStore store;
};

TEST_F(ListingTest, SectionNames) {
    EXPECT_EQ(store.SectionNames(), (Names{"A", "B.x", "A", "C"}));
    EXPECT_EQ(store.SectionNames(".x"), (Names{"B.x"}));
    EXPECT_EQ(store.SectionNames({}, "A"), (Names{"B.x", "C"}));
}

TEST_F(ListingTest, EntryNames) {
    EXPECT_EQ(store.EntryNames(), (Names{"K", "L", "K", "M", "K", "L"}));
    EXPECT_EQ(store.EntryNames({.section = "A"}), (Names{"K", "L", "K"}));
    EXPECT_EQ(store.EntryNames({.mustNotContain = "K", .sectionMustContain = "x"}), (Names{"M"}));
    EXPECT_EQ(store.EntryNames({.sectionMustNotContain = "A"}), (Names{"K", "M", "L"}));
}

TEST_F(ListingTest, SectionsWithKeyOncePerRun) {
    EXPECT_EQ(store.SectionsWithKey("K"), (Names{"A", "B.x", "A"}));
    EXPECT_EQ(store.SectionsWithKey("top"), Names{});  // no header in front
    store.SetContent("[A]\r\nK=1\r\nK=2\r\n[B]\r\nK=3", false);
    EXPECT_EQ(store.SectionsWithKey("K"), (Names{"A", "B"}));
}

TEST_F(ListingTest, KeysWithValueMatchEveryOccurrenceOfEqualsAndValue) {
    EXPECT_EQ(store.KeysWithValue("1"), (Names{"top", "K", "K", "M", "L", "L=1"}));
    EXPECT_EQ(store.KeysWithValue("1", "B.x"), (Names{"K", "M"}));
    EXPECT_EQ(store.KeysWithValue("1=1"), (Names{"L"}));
    EXPECT_EQ(store.KeysWithValue("empty"), (Names{""}));
    store.SetContent("[A]\r\nE=\r\nF=x\r\nG=", false);
    EXPECT_EQ(store.KeysWithValue(""), (Names{"E"}));  // an empty value is "=" + CR LF
}

}  // namespace
}  // namespace yc::test
