// Reading the proxy setting: the forms it takes and the inputs it turns down with a reason.
#include "http/proxy_setting.h"

#include <gtest/gtest.h>

#include "support/table_test.h"

namespace yc::http {
namespace {

using Kind = ProxySetting::Kind;

struct GoodCase : test::TableCase {
    const char* text;
    Kind kind;
    const char* host;
    int port;
    const char* curlProxy;
};

class ProxySettingReads : public testing::TestWithParam<GoodCase> {};

TEST_P(ProxySettingReads, IntoItsParts) {
    const GoodCase& c = GetParam();
    std::string error = "left over";
    const std::optional<ProxySetting> setting = parseProxySetting(c.text, error);
    ASSERT_TRUE(setting.has_value()) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(setting->kind, c.kind);
    EXPECT_EQ(setting->host, c.host);
    EXPECT_EQ(setting->port, c.port);
    EXPECT_EQ(setting->curlProxy, c.curlProxy);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ProxySettingReads,
    testing::Values(GoodCase{{"empty is direct"}, "", Kind::Direct, "", 0, ""},
                    GoodCase{{"blank is direct"}, "  ", Kind::Direct, "", 0, ""},
                    GoodCase{{"env"}, "env", Kind::Environment, "", 0, ""},
                    GoodCase{{"env in capitals"}, " ENV ", Kind::Environment, "", 0, ""},
                    GoodCase{{"no scheme is http"},
                             "proxy.lan:3128",
                             Kind::Http,
                             "proxy.lan",
                             3128,
                             "http://proxy.lan:3128"},
                    GoodCase{{"https"},
                             "https://10.0.0.1:443",
                             Kind::Https,
                             "10.0.0.1",
                             443,
                             "https://10.0.0.1:443"},
                    GoodCase{{"socks5"},
                             "socks5://127.0.0.1:1080",
                             Kind::Socks5,
                             "127.0.0.1",
                             1080,
                             "socks5://127.0.0.1:1080"},
                    GoodCase{{"socks5h, scheme in capitals, trailing slash"},
                             "SOCKS5H://tor_gw:9050/",
                             Kind::Socks5h,
                             "tor_gw",
                             9050,
                             "socks5h://tor_gw:9050"},
                    GoodCase{{"bracketed IPv6"},
                             "socks5://[::1]:65535",
                             Kind::Socks5,
                             "::1",
                             65535,
                             "socks5://[::1]:65535"}),
    test::ByLabel{});

struct BadCase : test::TableCase {
    const char* text;
    const char* reasonPart;
};

class ProxySettingRefuses : public testing::TestWithParam<BadCase> {};

TEST_P(ProxySettingRefuses, WithAReason) {
    const BadCase& c = GetParam();
    std::string error;
    EXPECT_FALSE(parseProxySetting(c.text, error).has_value());
    EXPECT_NE(error.find(c.reasonPart), std::string::npos) << error;
    EXPECT_EQ(proxySettingProblem(c.text), error);
}

INSTANTIATE_TEST_SUITE_P(
    BadInputs, ProxySettingRefuses,
    testing::Values(BadCase{{"no port"}, "proxy.lan", "no port"},
                    BadCase{{"colon without port"}, "http://proxy.lan:", "no port"},
                    BadCase{{"no host"}, ":8080", "no host"},
                    BadCase{{"unknown scheme"}, "ftp://proxy.lan:21", "unknown proxy scheme 'ftp'"},
                    BadCase{{"socks4 is not offered"}, "socks4://h:1080", "unknown proxy scheme"},
                    BadCase{{"port zero"}, "h:0", "from 1 to 65535"},
                    BadCase{{"port too large"}, "h:65536", "from 1 to 65535"},
                    BadCase{{"port far too large"}, "h:99999999999999999999", "from 1 to 65535"},
                    BadCase{{"port not a number"}, "h:80a", "from 1 to 65535"},
                    BadCase{{"negative port"}, "h:-1", "from 1 to 65535"},
                    BadCase{{"password"}, "http://user:secret@h:8080", "password"},
                    BadCase{{"path"}, "http://h:8080/proxy.pac", "nothing after the port"},
                    BadCase{{"bare IPv6"}, "::1:8080", "not a host name or address"},
                    BadCase{{"unclosed IPv6"}, "[::1:8080", "closing ']'"},
                    BadCase{{"space inside"}, "my proxy:8080", "not a host name or address"},
                    BadCase{
                        {"non-ASCII host"}, "\xB4\xFA\xC0\xED:8080", "not a host name or address"}),
    test::ByLabel{});

}  // namespace
}  // namespace yc::http
