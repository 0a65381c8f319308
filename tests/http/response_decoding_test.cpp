#include "http/response_decoding.h"

#include <gtest/gtest.h>

#include "gzip_deflate.h"
#include "host/event_pump.h"
#include "http/gzip_inflate.h"
#include "support/table_test.h"
#include "text/charset.h"

namespace yc::http {
namespace {

const std::string kUtf8Chinese = "中文页面";
const std::string kUtf16LeChinese = "\x2D\x4E\x87\x65";  // 中文
const std::string kUtf16BeChinese = "\x4E\x2D\x65\x87";
const std::string kBig5Chinese = "\xA4\xA4\xA4\xE5";  // 中文
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";   // 中文, not valid UTF-8

struct DecodeCase : test::TableCase {
    std::string body;
    int code;
    std::string expectedUtf8;  // compared after converting the result to GBK
    bool expectRaw;            // the expected text is the body itself
    int expectedCode;
};

class DecodeResponseTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeResponseTextTest, DecodesByTheRulesInOrder) {
    const DecodeCase& c = GetParam();
    int used = -1;
    const Text result = DecodeResponseText(c.body, c.code, &used);
    EXPECT_EQ(result, c.expectRaw ? c.body : text::utf8ToGbk(c.expectedUtf8));
    EXPECT_EQ(used, c.expectedCode);
}

const std::string kHeadBig5Unquoted =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Big5-HKSCS\">"
    "</head><body>";
const std::string kHeadBig5Quoted = "<html><HEAD><META charset=\"Big5-HKSCS\"></HEAD><body>";

INSTANTIATE_TEST_SUITE_P(
    Rules, DecodeResponseTextTest,
    testing::Values(
        DecodeCase{"utf8 mark skipped", "\xEF\xBB\xBF" + kUtf8Chinese, 0, kUtf8Chinese, false, 2},
        DecodeCase{"utf8 mark with code 2", "\xEF\xBB\xBF" + kUtf8Chinese, 2, kUtf8Chinese, false,
                   2},
        DecodeCase{"utf8 detected without mark", "<p>" + kUtf8Chinese + "</p>", 0,
                   "<p>" + kUtf8Chinese + "</p>", false, 2},
        DecodeCase{"utf16le mark", "\xFF\xFE" + kUtf16LeChinese, 0, "中文", false, 3},
        DecodeCase{"utf16be mark", "\xFE\xFF" + kUtf16BeChinese, 0, "中文", false, 4},
        DecodeCase{"code 3 drops two bytes without a mark", "AB" + kUtf16LeChinese, 3, "中文",
                   false, 3},
        DecodeCase{"meta Big5-HKSCS unquoted read as Big5", kHeadBig5Unquoted + kBig5Chinese, 0,
                   kHeadBig5Unquoted + "中文", false, 5},
        DecodeCase{"meta Big5-HKSCS quoted", kHeadBig5Quoted + kBig5Chinese, 0,
                   kHeadBig5Quoted + "中文", false, 6},
        DecodeCase{"meta outside head ignored",
                   "<head><title>t</title></head><meta charset=UTF-8>" + kGbkChinese, 0, "", true,
                   1},
        DecodeCase{"meta counts without head", "<meta charset=UTF-8><p>abc</p>", 0,
                   "<meta charset=UTF-8><p>abc</p>", false, 2},
        DecodeCase{"pure ascii unchanged", "<html>plain page</html>", 0, "", true, 1},
        DecodeCase{"gbk taken as local text", "<p>" + kGbkChinese + "</p>", 0, "", true, 1},
        DecodeCase{"code 1 takes utf8 unchanged", kUtf8Chinese, 1, "", true, 1},
        DecodeCase{"unknown code behaves like 1", kUtf8Chinese, 9, "", true, 1},
        DecodeCase{"empty body", "", 0, "", true, 1},
        DecodeCase{"code 4 with two bytes only", "\xFE\xFF", 4, "", true, 1},
        DecodeCase{"gzip of utf8", sim::gzipDeflate(kUtf8Chinese), 0, kUtf8Chinese, false, 2},
        DecodeCase{"gzip of utf16 with mark", sim::gzipDeflate("\xFF\xFE" + kUtf16LeChinese), 0,
                   "中文", false, 3}),
    test::ByLabel{});

TEST(GzipInflateTest, TruncatedStreamGivesWhatWasInflated) {
    std::string original;
    for (int i = 0; i < 20000; ++i) {
        original += std::to_string(i * 7919 % 10007) + ",";
    }
    const std::string packed = sim::gzipDeflate(original);
    bool whole = true;
    const ByteBuffer partial = GzipInflate(packed.substr(0, packed.size() / 2), &whole);
    ASSERT_FALSE(partial.empty());
    EXPECT_FALSE(whole);
    EXPECT_LT(partial.size(), original.size());
    EXPECT_EQ(original.substr(0, partial.size()), partial);
    EXPECT_EQ(GzipInflate(packed, &whole), original);
    EXPECT_TRUE(whole);
}

TEST(GzipInflateTest, OutputStopsAtTheCap) {
    const std::string bomb = sim::gzipDeflate(std::string(kMaxInflatedBytes + 1000000, 'a'));
    bool whole = true;
    EXPECT_EQ(GzipInflate(bomb, &whole).size(), kMaxInflatedBytes);
    EXPECT_FALSE(whole);
    const std::string full = sim::gzipDeflate(std::string(kMaxInflatedBytes, 'a'));
    EXPECT_EQ(GzipInflate(full, &whole).size(), kMaxInflatedBytes);
    EXPECT_TRUE(whole);
}

TEST(GzipInflateTest, ConcatenatedMembersAreReadToTheEnd) {
    bool whole = false;
    EXPECT_EQ(GzipInflate(sim::gzipDeflate("first,") + sim::gzipDeflate("second"), &whole),
              "first,second");
    EXPECT_TRUE(whole);
    GzipInflate(sim::gzipDeflate("first,") + "\x1F\x8Bjunk", &whole);
    EXPECT_FALSE(whole);
}

struct MetaCase : test::TableCase {
    std::string page;
    int expected;
};

class MetaCharsetTest : public testing::TestWithParam<MetaCase> {};

TEST_P(MetaCharsetTest, FirstMatchingTagDecides) {
    EXPECT_EQ(MetaCharset(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, MetaCharsetTest,
    testing::Values(MetaCase{"none", "<html><head><title>x</title></head></html>", 0},
                    MetaCase{"utf8 any case", "<HEAD><META CHARSET=utf-8></HEAD>", 1},
                    MetaCase{"utf8 single quotes", "<head><meta charset='UTF-8'></head>", 1},
                    MetaCase{"big5 double quotes", "<head><meta charset=\"big5\"></head>", 2},
                    MetaCase{"first tag decides",
                             "<head><meta charset=\"Big5-HKSCS\"><meta charset=utf-8></head>", 3},
                    MetaCase{"empty tag stops the search", "<head><meta><meta charset=utf-8>", 0},
                    MetaCase{"gbk meta is none", "<head><meta charset=gbk></head>", 0},
                    MetaCase{"head without end searches the page", "<head><meta charset=big5>", 2},
                    MetaCase{"empty head searches the page", "<head></head><meta charset=big5>",
                             2}),
    test::ByLabel{});

struct Utf8Case : test::TableCase {
    std::string bytes;
    bool expected;
};

class LooksLikeUtf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(LooksLikeUtf8Test, AcceptsTwoAndThreeByteSequences) {
    EXPECT_EQ(LooksLikeUtf8(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bytes, LooksLikeUtf8Test,
                         testing::Values(Utf8Case{"empty", "", false},
                                         Utf8Case{"ascii only", "abc", false},
                                         Utf8Case{"two byte", "caf\xC3\xA9", true},
                                         Utf8Case{"three byte", "\xE4\xB8\xAD", true},
                                         Utf8Case{"overlong accepted", "\xC0\x80", true},
                                         Utf8Case{"four byte rejected", "\xF0\x9F\x98\x80", false},
                                         Utf8Case{"cut three byte", "a\xE4\xB8", false},
                                         Utf8Case{"lone continuation", "\x80", false}),
                         test::ByLabel{});

class CountingPump : public host::EventPump {
  public:
    void pump() override { ++pumps; }
    void waitAndDispatch() override {}
    void wake() override {}
    int pumps = 0;
};

TEST(LooksLikeUtf8Test, ProcessesPendingEventsOncePerStep) {
    CountingPump pump;
    host::installEventPump(&pump);
    EXPECT_TRUE(
        LooksLikeUtf8("a\xC3\xA9"
                      "b\xE4\xB8\xAD"));
    host::installEventPump(nullptr);
    EXPECT_EQ(pump.pumps, 4);
}

TEST(ConvertCharsetTest, UnknownCharsetGivesNothing) {
    EXPECT_EQ(text::ConvertCharset("abc", "no-such-charset", "GB18030"), "");
    EXPECT_EQ(text::ConvertCharset(kUtf8Chinese, "UTF-8", "GB18030"),
              text::utf8ToGbk(kUtf8Chinese));
}

}  // namespace
}  // namespace yc::http
