// Lookups waiting per host, released so that no host has more than its limit in flight at once.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace yc::registry {

class HostQueues {
  public:
    explicit HostQueues(int perHost) : perHost_(perHost < 1 ? 1 : perHost) {}

    void add(const std::string& host, std::size_t lookup) {
        hosts_[host].waiting.push_back(lookup);
    }
    /// The next lookup that may start now, or nothing when every host is at its limit or empty.
    /// `ready(host)` may hold a host back for other reasons (a pause between queries).
    template <class Ready>
    std::optional<std::size_t> next(Ready ready) {
        for (auto& [host, queue] : hosts_) {
            if (!queue.waiting.empty() && queue.active < perHost_ && ready(host)) {
                const std::size_t lookup = queue.waiting.front();
                queue.waiting.pop_front();
                ++queue.active;
                return lookup;
            }
        }
        return std::nullopt;
    }
    void finished(const std::string& host) { --hosts_[host].active; }
    /// Removes and returns every lookup still waiting for `host`.
    std::vector<std::size_t> drop(const std::string& host) {
        std::deque<std::size_t>& waiting = hosts_[host].waiting;
        std::vector<std::size_t> dropped(waiting.begin(), waiting.end());
        waiting.clear();
        return dropped;
    }
    bool anyWaiting() const {
        for (const auto& [host, queue] : hosts_) {
            if (!queue.waiting.empty()) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> hosts() const {
        std::vector<std::string> names;
        for (const auto& [host, queue] : hosts_) {
            names.push_back(host);
        }
        return names;
    }

  private:
    struct Queue {
        std::deque<std::size_t> waiting;
        int active = 0;
    };
    int perHost_;
    std::map<std::string, Queue> hosts_;
};

}  // namespace yc::registry
