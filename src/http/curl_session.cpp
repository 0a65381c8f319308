// The shared libcurl state and the pool of idle easy handles.
#include "http/curl_session.h"

#include <array>
#include <mutex>
#include <vector>

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
    // Runs at process exit, after the pool has closed its idle handles.
    ~Share() { curl_share_cleanup(handle_); }

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

// Idle easy handles of one session. Reusing a handle keeps its internal state (its multi handle
// and wake-up socket pair) instead of building and tearing it down for every exchange.
class Pool {
  public:
    explicit Pool(bool withCookies) : share_(withCookies), withCookies_(withCookies) {}
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;
    ~Pool() {
        for (CURL* easy : idle_) {
            curl_easy_cleanup(easy);
        }
    }

    CURL* take() {
        CURL* easy = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (!idle_.empty()) {
                easy = idle_.back();
                idle_.pop_back();
            }
        }
        if (easy != nullptr) {
            // Not reset: the exchange sets every option it uses, and a reset would lose the
            // handle's cookie-file list (an empty name that switches the cookie engine on).
            return easy;
        }
        easy = curl_easy_init();
        if (easy == nullptr) {
            return nullptr;
        }
        curl_easy_setopt(easy, CURLOPT_SHARE, share_.handle());
        if (withCookies_) {
            curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // switches the cookie engine on
        }
        return easy;
    }

    void give(CURL* easy) {
        {
            const std::lock_guard lock(mutex_);
            if (idle_.size() < kMaxIdle) {
                idle_.push_back(easy);
                return;
            }
        }
        curl_easy_cleanup(easy);
    }

  private:
    static constexpr std::size_t kMaxIdle = 4;
    Share share_;
    bool withCookies_;
    std::mutex mutex_;
    std::vector<CURL*> idle_;
};

Pool& poolFor(bool withCookieStore) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    static_cast<void>(initialised);
    static Pool withCookies(true);
    static Pool withoutCookies(false);
    return withCookieStore ? withCookies : withoutCookies;
}

}  // namespace

void EasyHandleReturn::operator()(CURL* easy) const {
    poolFor(withCookieStore).give(easy);
}

void prepareCurl() {
    poolFor(true);
    poolFor(false);
}

EasyHandle acquireEasyHandle(bool withCookieStore) {
    return EasyHandle(poolFor(withCookieStore).take(), EasyHandleReturn{withCookieStore});
}

}  // namespace yc::http
