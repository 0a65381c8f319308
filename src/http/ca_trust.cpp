// The process's extra certificate-authority file and its hook into libcurl's TLS set-up.
#include "http/ca_trust.h"

#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <mutex>

namespace yc::http {
namespace {

std::mutex& caFileMutex() {
    static std::mutex mutex;
    return mutex;
}
std::string& caFileSetting() {
    static std::string path;
    return path;
}

// Reads the setting when the connection is made rather than when the handle was set up, so a
// handle needs no copy of the path that must outlive it.
CURLcode trustExtraCa(CURL*, void* sslContext, void*) {
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
    // A file that cannot be read adds nothing; verification then rests on the system store.
    X509_STORE_load_file(store, extraCaFile().c_str());
    return CURLE_OK;
}

}  // namespace

void setExtraCaFile(const std::string& path) {
    const std::lock_guard lock(caFileMutex());
    caFileSetting() = path;
}

std::string extraCaFile() {
    const std::lock_guard lock(caFileMutex());
    return caFileSetting();
}

void applyTrustedCas(CURL* easy) {
    const bool extra = !extraCaFile().empty();
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, extra ? &trustExtraCa : nullptr);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, nullptr);
}

}  // namespace yc::http
