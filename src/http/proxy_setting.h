// The proxy setting shared by every request path: its text form "[scheme://]host:port" (http,
// https, socks5 or socks5h; http when left out), "env" for the environment's proxy variables,
// or empty for direct connections, read into its parts and applied to libcurl handles.
#pragma once

#include <curl/curl.h>

#include <optional>
#include <string>
#include <string_view>

namespace yc::http {

struct ProxySetting {
    enum class Kind {
        Direct,       ///< no proxy, whatever the environment names
        Environment,  ///< http_proxy, https_proxy, all_proxy and no_proxy, read as libcurl does
        Http,
        Https,
        Socks5,   ///< names are resolved here and the proxy is given addresses
        Socks5h,  ///< names go to the proxy, which resolves them
    };
    Kind kind = Kind::Direct;
    std::string host;  ///< an IPv6 address without its brackets
    int port = 0;
    /// What CURLOPT_PROXY gets: "" for a direct connection (libcurl then ignores the
    /// environment), "scheme://host:port" for a proxy; not used for Environment.
    std::string curlProxy;

    bool environment() const { return kind == Kind::Environment; }
    bool socks() const { return kind == Kind::Socks5 || kind == Kind::Socks5h; }
    bool httpProxy() const { return kind == Kind::Http || kind == Kind::Https; }
};

/// The setting `text` (ASCII) stands for, or nothing with `error` set to why it is not one, in
/// plain English.
std::optional<ProxySetting> parseProxySetting(std::string_view text, std::string& error);

/// Why `text` is not a usable proxy setting; empty when it is one.
std::string proxySettingProblem(std::string_view text);

/// Makes the transfers of `easy` go the way `proxy` says. A reused handle keeps its last proxy
/// otherwise, so every transfer sets it.
void applyProxy(CURL* easy, const ProxySetting& proxy);

}  // namespace yc::http
