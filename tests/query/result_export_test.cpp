// Export lines, file extensions and the results file's error tracking.
#include <gtest/gtest.h>

#include <filesystem>

#include "query/result_export.h"
#include "query/result_file.h"
#include "support/table_test.h"
#include "support/temp_dir.h"
#include "text/charset.h"

namespace yc::query {
namespace {

struct ExtensionCase : test::TableCase {
    const char* path;
    const char* extension;
    bool csv;
};

class FileExtensionTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(FileExtensionTest, TakesWhatFollowsTheLastDotOfTheName) {
    const ExtensionCase& c = GetParam();
    EXPECT_EQ(FileExtension(text::utf8ToGbk(c.path)), c.extension);
    EXPECT_EQ(IsCsvPath(text::utf8ToGbk(c.path)), c.csv);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileExtensionTest,
    testing::Values(ExtensionCase{"txt", "/d/查询结果.TXT", "TXT", false},
                    ExtensionCase{"upper csv", "/d/results.CSV", "CSV", true},
                    ExtensionCase{"mixed csv", "C:\\d\\r.CsV", "CsV", true},
                    ExtensionCase{"none", "/d/results", "", false},
                    ExtensionCase{"dot in backslash folder", "a.b\\c", "", false},
                    ExtensionCase{"dot in slash folder", "/a.csv/c", "", false},
                    ExtensionCase{"last dot wins", "r.csv.txt", "txt", false},
                    ExtensionCase{"trailing dot", "r.", "", false},
                    ExtensionCase{"hidden file", "/d/.csv", "csv", true}),
    test::ByLabel());

struct LineCase : test::TableCase {
    ExportFilter filter;
    const char* freeLine;  // UTF-8; empty when skipped
    const char* takenLine;
};

class ResultLineTest : public testing::TestWithParam<LineCase> {
  protected:
    ResultLineTest() {
        rows.append("a.com", text::utf8ToGbk("是"), kIconFree, kIconFree);
        rows.append("b.com", text::utf8ToGbk("否"), kIconTaken, kIconTaken);
    }
    ReportRows rows;
};

TEST_P(ResultLineTest, FilterChoosesRowsAndForm) {
    const LineCase& c = GetParam();
    EXPECT_EQ(text::gbkToUtf8(ResultLine(rows, 0, c.filter)), c.freeLine);
    EXPECT_EQ(text::gbkToUtf8(ResultLine(rows, 1, c.filter)), c.takenLine);
    EXPECT_EQ(text::gbkToUtf8(ResultLine(rows, std::nullopt, c.filter)), "域名,未注册\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ResultLineTest,
    testing::Values(LineCase{"all", {true, false, false}, "a.com,是\r\n", "b.com,否\r\n"},
                    LineCase{"free", {false, true, false}, "a.com\r\n", ""},
                    LineCase{"taken", {false, false, true}, "", "b.com\r\n"},
                    LineCase{"none checked", {false, false, false}, "a.com\r\n", "b.com\r\n"}),
    test::ByLabel());

TEST(ResultFileTest, FullDiskIsAFailureWithTheSystemsReason) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    ResultFile file{std::string_view("/dev/full")};
    ASSERT_TRUE(file.isOpen());
    file.write("a.com\r\n");
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(file.error().empty());
}

TEST(ResultFileTest, WrittenBytesArriveUnchanged) {
    test::TempDir dir;
    const std::filesystem::path path = dir.path() / "r.txt";
    ResultFile file{std::string_view(path.native())};
    file.write(text::utf8ToGbk("域名,未注册\r\n"));
    file.write("");
    file.write("a.com\r\n");
    EXPECT_TRUE(file.close());
    EXPECT_EQ(test::TempDir::read(path), text::utf8ToGbk("域名,未注册\r\na.com\r\n"));
}

}  // namespace
}  // namespace yc::query
