// Settings of the local registrar simulator: which names are free, how the answer page looks,
// when submissions are refused, and which transport faults to inject.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "registry_options.h"

namespace yc::sim {

enum class PageEncoding { Utf8Header, Utf8Meta, Gbk, Utf16Bom, Big5 };

enum class Fault {
    None,
    Delay,  ///< answer normally after `delayMs`
    Stall,  ///< send the headers and half the body, then go silent
    Reset,  ///< send the headers and half the body, then reset the connection
    Status500,
    Empty200,  ///< status 200 with an empty body
    Redirect,  ///< 302 to `redirectTo`
    Endless,   ///< a chunked body that never ends
    Trickle,   ///< send the headers, then the body one byte every `delayMs`
};

struct SimOptions {
    int port = 0;          ///< 0 picks a free port
    std::string certFile;  ///< TLS when both the certificate and the key are given
    std::string keyFile;
    std::vector<std::string> freeNames;  ///< GBK names offered for registration
    std::string freePattern;  ///< or: every name matching this ECMAScript pattern is free
    PageEncoding encoding = PageEncoding::Utf8Header;
    bool gzip = false;
    /// When not empty: every result page is these bytes, verbatim, with `answerType` as its
    /// Content-Type; bytes that open with the gzip signature go out as gzip.
    std::string answerPage;
    std::string answerType = "text/html";
    std::size_t padTo = 0;  ///< pad the page (before encoding) to at least this many bytes
    bool upperCaseMarkup = false;
    int refuseAfter = 0;  ///< refuse submissions past this many within the window (0: never)
    int refuseWindowSeconds = 60;
    bool sessionCookie = false;                ///< set a session cookie first, then insist on it
    std::vector<std::string> extraSetCookies;  ///< further Set-Cookie values on every answer
    Fault fault = Fault::None;
    int delayMs = 0;
    std::string redirectTo = "/landing";
    std::string logPath;  ///< every raw request is appended here when set
    /// When not empty: served as JSON at kBootstrapPath with `bootstrapStatus`, and reached
    /// through a redirect from kBootstrapMovedPath.
    std::string bootstrapBody;
    int bootstrapStatus = 200;
    RegistryOptions registry;
};

/// The page path of the registrar's bulk-check form.
inline constexpr const char* kSubmitPath = "/domain/bulkregister_submit.php";

/// Where the simulator serves an RDAP bootstrap document, and a path that redirects to it.
inline constexpr const char* kBootstrapPath = "/rdap-bootstrap/dns.json";
inline constexpr const char* kBootstrapMovedPath = "/rdap-bootstrap/moved";

}  // namespace yc::sim
