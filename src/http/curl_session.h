// Process-wide libcurl state shared by every exchange: global initialisation, the one cookie
// store, and the connection, DNS and TLS-session caches that let exchanges reuse connections.
#pragma once

#include <curl/curl.h>

namespace yc::http {

/// Shares the process cookie store (plus connections, DNS and TLS sessions).
CURLSH* sessionWithCookieStore();
/// Shares connections, DNS and TLS sessions only: for exchanges that bring their own cookies.
CURLSH* sessionWithoutCookieStore();

}  // namespace yc::http
