// Classifying RDAP answers and reading Retry-After.
#include "registry/rdap_answer.h"

#include <curl/curl.h>

#include <charconv>
#include <ctime>
#include <nlohmann/json.hpp>
#include <string>

namespace yc::registry {

int retryAfterSeconds(std::string_view value) {
    int seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error == std::errc() && end == value.data() + value.size()) {
        return seconds < 0 ? 0 : seconds;
    }
    const time_t when = curl_getdate(std::string(value).c_str(), nullptr);
    const time_t now = std::time(nullptr);
    return when > now ? static_cast<int>(when - now) : 0;
}

LookupOutcome rdapOutcome(const RdapAnswer& answer) {
    if (answer.status == 0) {
        return {Verdict::Failed, "RDAP transfer failed: " + std::string(answer.transferError), 0};
    }
    if (answer.status == 404) {
        return {Verdict::Free, {}, 0};
    }
    if (answer.status == 429 || (answer.status == 503 && !answer.retryAfter.empty())) {
        return {Verdict::Limited, "RDAP status " + std::to_string(answer.status),
                retryAfterSeconds(answer.retryAfter)};
    }
    if (answer.status == 200) {
        const nlohmann::json body = nlohmann::json::parse(answer.body, nullptr, false);
        if (body.is_object() && body.value("objectClassName", "") == "domain") {
            LookupOutcome taken{Verdict::Taken, {}, 0};
            // Dates are extras: a registry that leaves them out still answers "taken".
            const auto events = body.find("events");
            for (const nlohmann::json& event :
                 events != body.end() && events->is_array() ? *events : nlohmann::json::array()) {
                if (!event.is_object() || !event.contains("eventDate") ||
                    !event["eventDate"].is_string()) {
                    continue;
                }
                const std::string action = event.value("eventAction", "");
                if (action == "registration") {
                    taken.registered = event["eventDate"].get<std::string>();
                } else if (action == "expiration") {
                    taken.expires = event["eventDate"].get<std::string>();
                }
            }
            return taken;
        }
        return {Verdict::Failed, "RDAP answer is not a domain object", 0};
    }
    return {Verdict::Failed, "RDAP status " + std::to_string(answer.status), 0};
}

}  // namespace yc::registry
