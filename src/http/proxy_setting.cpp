// Reading the proxy setting's text form and handing it to libcurl.
#include "http/proxy_setting.h"

#include <algorithm>
#include <array>
#include <utility>

#include "text/gbk_edit.h"

namespace yc::http {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNameChar(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' ||
           c == '_';
}

bool isAddress6Char(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

constexpr std::array<std::pair<std::string_view, ProxySetting::Kind>, 4> kSchemes{{
    {"http", ProxySetting::Kind::Http},
    {"https", ProxySetting::Kind::Https},
    {"socks5", ProxySetting::Kind::Socks5},
    {"socks5h", ProxySetting::Kind::Socks5h},
}};

}  // namespace

std::optional<ProxySetting> parseProxySetting(std::string_view text, std::string& error) {
    error.clear();
    text = text::whitespaceTrimmed(text);
    ProxySetting setting;
    if (text.empty()) {
        return setting;
    }
    if (text::asciiLower(text) == "env") {
        setting.kind = ProxySetting::Kind::Environment;
        return setting;
    }
    std::string scheme = "http";
    const std::size_t schemeEnd = text.find("://");
    if (schemeEnd != std::string_view::npos) {
        scheme = text::asciiLower(text.substr(0, schemeEnd));
        text.remove_prefix(schemeEnd + 3);
    }
    const auto known = std::find_if(kSchemes.begin(), kSchemes.end(),
                                    [&](const auto& entry) { return entry.first == scheme; });
    if (known == kSchemes.end()) {
        error = "unknown proxy scheme '" + scheme + "' (use http, https, socks5 or socks5h)";
        return std::nullopt;
    }
    setting.kind = known->second;
    if (text.ends_with('/')) {
        text.remove_suffix(1);  // "http://host:port/" is how proxies are often written
    }
    if (text.find('@') != std::string_view::npos) {
        error = "a user name or password in the proxy is not supported";
        return std::nullopt;
    }
    if (text.find('/') != std::string_view::npos) {
        error = "the proxy must be host:port with nothing after the port";
        return std::nullopt;
    }
    std::string_view host;
    std::string_view rest;
    bool bracketed = false;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            error = "the proxy's IPv6 address has no closing ']'";
            return std::nullopt;
        }
        host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
        bracketed = true;
    } else {
        const std::size_t colon = text.rfind(':');
        host = text.substr(0, colon == std::string_view::npos ? text.size() : colon);
        rest = colon == std::string_view::npos ? std::string_view{} : text.substr(colon);
    }
    if (host.empty()) {
        error = "the proxy has no host (use host:port)";
        return std::nullopt;
    }
    const bool hostFits = bracketed ? std::all_of(host.begin(), host.end(), isAddress6Char)
                                    : std::all_of(host.begin(), host.end(), isNameChar);
    if (!hostFits) {
        error = "the proxy host '" + std::string(host) + "' is not a host name or address";
        return std::nullopt;
    }
    if (!rest.starts_with(':') || rest.size() == 1) {
        error = "the proxy has no port (use host:port)";
        return std::nullopt;
    }
    const std::string_view port = rest.substr(1);
    int number = 0;
    for (const char c : port) {
        number = isDigit(c) && number <= 65535 ? number * 10 + (c - '0') : 65536;
    }
    if (number < 1 || number > 65535) {
        error = "the proxy port '" + std::string(port) + "' is not a number from 1 to 65535";
        return std::nullopt;
    }
    setting.host = std::string(host);
    setting.port = number;
    setting.curlProxy = scheme + "://" + (bracketed ? "[" + setting.host + "]" : setting.host) +
                        ":" + std::to_string(number);
    return setting;
}

std::string proxySettingProblem(std::string_view text) {
    std::string error;
    parseProxySetting(text, error);
    return error;
}

void applyProxy(CURL* easy, const ProxySetting& proxy) {
    // Left unset, these make libcurl read the environment's variables; set, even to "", they
    // are all it uses, so an environment's no_proxy cannot send a chosen proxy's traffic past it.
    const bool environment = proxy.environment();
    curl_easy_setopt(easy, CURLOPT_PROXY, environment ? nullptr : proxy.curlProxy.c_str());
    curl_easy_setopt(easy, CURLOPT_NOPROXY, environment ? nullptr : "");
}

}  // namespace yc::http
