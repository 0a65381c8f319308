// Process-wide libcurl state shared by every exchange: global initialisation, the one cookie
// store, the connection, DNS and TLS-session caches, and a few idle easy handles kept for reuse.
#pragma once

#include <curl/curl.h>

#include <memory>

namespace yc::http {

/// Hands an easy handle back to its pool when the exchange is done with it.
struct EasyHandleReturn {
    bool withCookieStore = false;
    void operator()(CURL* easy) const;
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleReturn>;

/// An easy handle attached to the process session: with the shared cookie
/// store switched on, or (for exchanges that bring their own cookies) without any cookie store.
/// Connections, DNS answers and TLS sessions are shared either way. A reused handle keeps the
/// options of its last exchange, so the caller sets every option it relies on. Null when libcurl
/// fails.
EasyHandle acquireEasyHandle(bool withCookieStore);

/// Sets libcurl up for the process, once. Call it on the thread that starts transfers, before
/// the first one: the set-up is not thread-safe, and it registers TLS clean-up to run at exit,
/// which must come after the transfer workers (made later) have finished.
void prepareCurl();

}  // namespace yc::http
