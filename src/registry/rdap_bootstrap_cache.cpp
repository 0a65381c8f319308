// The cached copy of the RDAP bootstrap document: its age, the fetch and the crash-safe store.
#include "registry/rdap_bootstrap_cache.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>

namespace yc::registry {
namespace {

// The whole registry is about 100 KB; a body past this is not the document asked for.
constexpr std::size_t kMaxDocumentBytes = std::size_t{4} << 20;
constexpr long kMaxRedirects = 5;

struct Download {
    std::string body;
    bool tooLarge = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& download = *static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    if (download.body.size() + bytes > kMaxDocumentBytes) {
        download.tooLarge = true;
        return 0;  // ends the transfer
    }
    download.body.append(data, bytes);
    return bytes;
}

struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

std::optional<std::string> fetch(const std::string& url, const std::string& proxy,
                                 std::chrono::milliseconds timeout) {
    const std::unique_ptr<CURL, EasyCleanup> easy(curl_easy_init());
    if (!easy) {
        return std::nullopt;
    }
    CURL* h = easy.get();
    Download download;
    const bool secure = url.starts_with("https://");
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    // A secure fetch stays secure: a redirect to plain http could hand over a forged table.
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(h, CURLOPT_USERAGENT, "yuchaling");
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxDocumentBytes));
    if (proxy != "env") {
        // Without this option libcurl reads the proxy variables; an empty text goes direct.
        curl_easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &download);
    if (curl_easy_perform(h) != CURLE_OK || download.tooLarge) {
        return std::nullopt;
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200) {
        return std::nullopt;
    }
    return std::move(download.body);
}

std::optional<std::string> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Written beside the copy and renamed over it once on disk, so a reader (or a crash) only ever
// sees the old copy or the whole new one, also when two instances refresh at the same time.
bool storeAtomically(const std::filesystem::path& file, const std::string& bytes) {
    std::string temp = file.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

RdapBootstrapCache::RdapBootstrapCache(std::filesystem::path cacheFolder, std::string url,
                                       std::string proxy, std::chrono::milliseconds timeout,
                                       std::chrono::system_clock::time_point now)
    : folder_(std::move(cacheFolder)),
      url_(std::move(url)),
      proxy_(std::move(proxy)),
      timeout_(timeout),
      now_(now) {}

std::filesystem::path RdapBootstrapCache::cacheFile() const {
    return folder_.empty() ? std::filesystem::path() : folder_ / kRdapBootstrapCacheName;
}

bool RdapBootstrapCache::loadCached(ServicesTable& table) const {
    if (folder_.empty()) {
        return false;
    }
    const std::optional<std::string> bytes = readFile(cacheFile());
    const std::optional<RdapBootstrap> bootstrap =
        bytes ? parseRdapBootstrap(*bytes) : std::nullopt;
    if (!bootstrap) {
        return false;
    }
    applyRdapBootstrap(*bootstrap, table);
    return true;
}

BootstrapRefresh RdapBootstrapCache::refreshIfStale() const {
    if (folder_.empty()) {
        return BootstrapRefresh::NoCache;
    }
    try {
        const std::filesystem::path file = cacheFile();
        std::error_code error;
        const auto written = std::filesystem::last_write_time(file, error);
        if (!error) {
            const auto age = now_ - std::chrono::file_clock::to_sys(written);
            // A stamp far in the future (a clock set wrong once) would otherwise keep the copy
            // for good.
            const bool young = age <= kRdapBootstrapMaxAge && age >= -std::chrono::hours(24);
            const std::optional<std::string> bytes = young ? readFile(file) : std::nullopt;
            if (bytes && parseRdapBootstrap(*bytes)) {
                return BootstrapRefresh::Fresh;
            }
        }
        const std::optional<std::string> document = fetch(url_, proxy_, timeout_);
        if (!document) {
            return BootstrapRefresh::FetchFailed;
        }
        if (!parseRdapBootstrap(*document)) {
            return BootstrapRefresh::Refused;
        }
        return storeAtomically(file, *document) ? BootstrapRefresh::Refreshed
                                                : BootstrapRefresh::StoreFailed;
    } catch (const std::exception&) {
        // Only allocation can throw here; a refresh that cannot finish changes nothing.
        return BootstrapRefresh::StoreFailed;
    }
}

}  // namespace yc::registry
