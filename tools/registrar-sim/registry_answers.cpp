// The simulated registries' answers.
#include "registry_answers.h"

#include <idn2.h>

#include <array>
#include <utility>

#include "text/charset.h"

namespace yc::sim {
namespace {

std::string_view tldOf(std::string_view name) {
    return name.substr(name.rfind('.') + 1);
}

// The Unicode form of an A-label name, as a registry that echoes it would write it.
std::string unicodeName(std::string_view name) {
    char* converted = nullptr;
    if (idn2_to_unicode_8z8z(std::string(name).c_str(), &converted, 0) != IDN2_OK) {
        return std::string(name);
    }
    std::string unicode(converted);
    idn2_free(converted);
    return unicode;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    return out;
}

}  // namespace

RegistryAnswer registryAnswerFor(std::string_view name, const FreeRule& rule) {
    static constexpr std::array<std::pair<std::string_view, RegistryAnswer>, 5> kPrefixes = {{
        {"limited-", RegistryAnswer::Limited},
        {"busy-", RegistryAnswer::Busy},
        {"failed-", RegistryAnswer::Failed},
        {"broken-", RegistryAnswer::Broken},
        {"moved-", RegistryAnswer::Moved},
    }};
    for (const auto& [prefix, answer] : kPrefixes) {
        if (name.starts_with(prefix)) {
            return answer;
        }
    }
    // The rule reads names as the registrar's form gets them (GBK, Unicode labels), so that
    // "中文7.com" is free by the demo's rule whichever way it is asked.
    return rule.isFree(text::utf8ToGbk(unicodeName(name))) ? RegistryAnswer::Free
                                                           : RegistryAnswer::Taken;
}

RdapReply rdapReply(std::string_view tld, std::string_view name, RegistryAnswer answer,
                    int retryAfterSeconds) {
    const std::string retryAfter = "Retry-After: " + std::to_string(retryAfterSeconds) + "\r\n";
    switch (answer) {
        case RegistryAnswer::Free:
            return {404, {}, R"({"errorCode":404,"title":"Not Found"})"};
        case RegistryAnswer::Taken:
            return {200,
                    {},
                    R"({"objectClassName":"domain","ldhName":")" + std::string(name) +
                        R"(","status":["active"],"events":[)"
                        R"({"eventAction":"registration","eventDate":"2015-03-02T08:00:00Z"},)"
                        R"({"eventAction":"expiration","eventDate":"2027-03-02T08:00:00Z"}]})"};
        case RegistryAnswer::Limited:
            return {429, retryAfter, R"({"errorCode":429,"title":"Too Many Requests"})"};
        case RegistryAnswer::Busy:
            return {503, retryAfter, {}};
        case RegistryAnswer::Broken:
            return {200, {}, R"({"objectClassName":"domain","ldhName":")"};
        case RegistryAnswer::Moved:
            return {301,
                    "Location: /rdap/" + std::string(tld) + "/domain/" +
                        std::string(name.substr(name.find('-') + 1)) + "\r\n",
                    {}};
        case RegistryAnswer::Failed:
            break;
    }
    return {500, {}, "internal error"};
}

std::string whoisReply(std::string_view name, RegistryAnswer answer) {
    const std::string_view tld = tldOf(name);
    const std::string domain(name);
    switch (answer) {
        case RegistryAnswer::Limited:
        case RegistryAnswer::Busy:
            return "Queried interval is too short. Please try again later.\r\n";
        case RegistryAnswer::Failed:
            return {};
        case RegistryAnswer::Broken:
        case RegistryAnswer::Moved:
            return "%% internal error, please report\r\n";
        default:
            break;
    }
    const bool free = answer == RegistryAnswer::Free;
    if (tld == "cn") {
        return free ? "No matching record.\r\n"
                    : text::utf8ToGbk(
                          "Domain Name: " + unicodeName(name) +
                          "\r\nRegistrant: 翎杉网络科技有限公司\r\nDomain Status: ok\r\n");
    }
    if (tld == "de") {
        return "Domain: " + domain + (free ? "\nStatus: free\n" : "\nStatus: connect\n");
    }
    if (tld == "uk") {
        // "Société" in Latin-1.
        return free ? "\r\n    No match for \"" + domain + "\".\r\n"
                    : "\r\n    Domain name:\r\n        " + domain +
                          "\r\n\r\n    Registrant:\r\n        Soci\xE9t\xE9 Exemple\r\n";
    }
    return free ? "No match for \"" + upper(name) + "\".\r\n"
                : "   Domain Name: " + upper(name) +
                      "\r\n   Registrar: 翎杉 Registrar Ltd.\r\n"
                      "   Creation Date: 2015-03-02T08:00:00Z\r\n"
                      "   Registry Expiry Date: 2027-03-02T08:00:00Z\r\n";
}

}  // namespace yc::sim
