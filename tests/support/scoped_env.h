// An environment variable set (or removed) for the length of a scope, then put back as it was.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace yc::test {

class ScopedEnv {
  public:
    /// Sets `name` to `value`, or removes it when `value` holds nothing.
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(value);
    }
    ~ScopedEnv() { set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace yc::test
