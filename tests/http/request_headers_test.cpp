#include "http/request_headers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "http/url_parts.h"
#include "support/table_test.h"

namespace yc::http {
namespace {

constexpr const char* kAcceptLine =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*";

struct UrlCase : test::TableCase {
    const char* url;
    bool secure;
    const char* host;
    int port;
    const char* path;
};

class SplitUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(SplitUrlTest, SplitsIntoHostPortAndPath) {
    const UrlCase& c = GetParam();
    const UrlParts parts = SplitUrl(c.url);
    EXPECT_EQ(parts.secure, c.secure);
    EXPECT_EQ(parts.host, c.host);
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.path, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, SplitUrlTest,
    testing::Values(
        UrlCase{"http default port", "http://Example.COM/A/b?x=Y", false, "example.com", 80,
                "/A/b?x=Y"},
        UrlCase{"http explicit port", "http://host:8080/p", false, "host", 8080, "/p"},
        UrlCase{"https default port", "HTTPS://host/p", true, "host", 443, "/p"},
        UrlCase{"https explicit port is used", "https://host:8443/p", true, "host", 8443, "/p"},
        UrlCase{"no path", "http://host", false, "host", 80, "/"},
        UrlCase{"no scheme", "host:81/x", false, "host", 81, "/x"},
        UrlCase{"unreadable port falls back", "http://host:abc/", false, "host", 80, "/"}),
    test::ByLabel{});

TEST(ComposeUrlTest, EscapesBytesThatMayNotStandRaw) {
    EXPECT_EQ(ComposeUrl(SplitUrl("http://h:81/a b\xD6\xD0?q=1")), "http://h:81/a%20b%D6%D0?q=1");
}

struct SplitCase : test::TableCase {
    const char* headers;
    std::vector<std::string> lines;
};

class SplitHeaderLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitHeaderLinesTest, GivesTheNonEmptyLinesInOrder) {
    EXPECT_EQ(SplitHeaderLines(GetParam().headers), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitHeaderLinesTest,
    testing::Values(SplitCase{"empty", "", {}},
                    SplitCase{"engine referer", "\r\nReferer: x", {"Referer: x"}},
                    SplitCase{"empty lines dropped", "A: 1\r\n\r\nB: 2\r\n", {"A: 1", "B: 2"}}),
    test::ByLabel{});

struct AgentCase : test::TableCase {
    std::vector<std::string> headers;
    const char* agent;
};

class UserAgentTest : public testing::TestWithParam<AgentCase> {};

TEST_P(UserAgentTest, TakesTheAgentFromTheHeaderText) {
    EXPECT_EQ(UserAgentFor(GetParam().headers), GetParam().agent);
}

INSTANTIATE_TEST_SUITE_P(
    Agents, UserAgentTest,
    testing::Values(
        AgentCase{"default", {"Referer: x"}, kDefaultUserAgent.data()},
        AgentCase{"given", {"User-Agent:  Tester/1 ", "Referer: x"}, "Tester/1"},
        AgentCase{"other case gives empty", {"user-agent: Tester/1", "Referer: x"}, ""},
        AgentCase{"only in the last line gives empty", {"Referer: http://h/User-Agent: x"}, ""}),
    test::ByLabel{});

struct HeaderCase : test::TableCase {
    std::vector<std::string> headers;
    bool post;
    std::size_t bodyLength;
    std::string cookies;
    std::vector<std::string> expected;
};

class CompleteHeadersTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(CompleteHeadersTest, AddsTheDefaultsInOrder) {
    const HeaderCase& c = GetParam();
    EXPECT_EQ(CompleteHeaders(c.headers, "http://h/p", c.post, c.bodyLength, c.cookies),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, CompleteHeadersTest,
    testing::Values(
        HeaderCase{"engine post",
                   {"Referer: http://h/p"},
                   true,
                   12,
                   "",
                   {"Referer: http://h/p", kAcceptLine, "Accept-Language: zh-cn",
                    "Content-Type: application/x-www-form-urlencoded", "Content-Length: 12"}},
        HeaderCase{"empty header text",
                   {},
                   false,
                   0,
                   "",
                   {kAcceptLine, "Referer: http://h/p", "Accept-Language: zh-cn"}},
        HeaderCase{"accept-language counts as accept",
                   {"Accept-Language: en"},
                   false,
                   0,
                   "",
                   {"Accept-Language: en", "Referer: http://h/p"}},
        HeaderCase{"post without body",
                   {"Referer: r"},
                   true,
                   0,
                   "",
                   {"Referer: r", kAcceptLine, "Accept-Language: zh-cn"}},
        HeaderCase{"cookie line ends the text",
                   {"Referer: r"},
                   false,
                   0,
                   "a=1",
                   {"Referer: r", kAcceptLine, "Accept-Language: zh-cn", "Cookie: a=1"}},
        HeaderCase{"given content headers kept",
                   {"Referer: r", "content-type: x", "Content-Length: 3"},
                   true,
                   3,
                   "",
                   {"Referer: r", "content-type: x", "Content-Length: 3", kAcceptLine,
                    "Accept-Language: zh-cn"}}),
    test::ByLabel{});

struct CookieCase : test::TableCase {
    const char* block;
    const char* cookies;
};

class CollectCookiesTest : public testing::TestWithParam<CookieCase> {};

TEST_P(CollectCookiesTest, KeepsNameValueOfEachSetCookieLine) {
    EXPECT_EQ(CollectReceivedCookies(GetParam().block), GetParam().cookies);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, CollectCookiesTest,
    testing::Values(
        CookieCase{"none", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        CookieCase{
            "two cookies",
            "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=2; HttpOnly\r\n\r\n",
            "a=1;b=2;"},
        CookieCase{"no attributes adds only the separator",
                   "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n\r\n", ";"}),
    test::ByLabel{});

}  // namespace
}  // namespace yc::http
