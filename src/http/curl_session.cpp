#include "http/curl_session.h"

#include <array>
#include <mutex>

namespace yc::http {
namespace {

// One mutex per kind of shared data, so a DNS look-up does not wait for a cookie update.
class Share {
  public:
    explicit Share(bool withCookies) : handle_(curl_share_init()) {
        curl_share_setopt(handle_, CURLSHOPT_LOCKFUNC, &Share::lock);
        curl_share_setopt(handle_, CURLSHOPT_UNLOCKFUNC, &Share::unlock);
        curl_share_setopt(handle_, CURLSHOPT_USERDATA, this);
        if (withCookies) {
            curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        }
        curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    }
    Share(const Share&) = delete;
    Share& operator=(const Share&) = delete;
    // Lives until process exit: easy handles may still refer to it from late worker threads.
    ~Share() = default;

    CURLSH* handle() const { return handle_; }

  private:
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<Share*>(self)->mutexFor(data).lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<Share*>(self)->mutexFor(data).unlock();
    }
    std::mutex& mutexFor(curl_lock_data data) {
        const auto index = static_cast<std::size_t>(data);
        return mutexes_[index < mutexes_.size() ? index : 0];
    }

    CURLSH* handle_;
    std::array<std::mutex, CURL_LOCK_DATA_LAST + 1> mutexes_;
};

void initialiseOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    static_cast<void>(initialised);
}

}  // namespace

CURLSH* sessionWithCookieStore() {
    initialiseOnce();
    static Share share(true);
    return share.handle();
}

CURLSH* sessionWithoutCookieStore() {
    initialiseOnce();
    static Share share(false);
    return share.handle();
}

}  // namespace yc::http
