// Decoding and classifying WHOIS answers.
#include "registry/whois_answer.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <vector>

#include "registry/registry_target.h"
#include "text/charset.h"
#include "text/gbk_edit.h"

namespace yc::registry {
namespace {

constexpr std::array<std::string_view, 8> kCommonNotFound = {
    "No match",         "NOT FOUND",    "No matching record", "No Data Found",
    "No entries found", "Status: free", "Domain not found",   "The queried object does not exist"};

bool isGbkShaped(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            continue;
        }
        if (lead == 0x80 || lead == 0xFF || i + 1 >= bytes.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
    }
    return true;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string utf8;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool sameIgnoringCase(char a, char b) {
    return lowerAscii(a) == lowerAscii(b);
}

// A label such as "Domain Name", "domain" or "Domain_Name".
bool isDomainLabel(std::string_view label) {
    std::string folded;
    for (const char c : label) {
        if (c != ' ' && c != '_' && c != '-') {
            folded += lowerAscii(c);
        }
    }
    return folded == "domain" || folded == "domainname";
}

// The value of a domain line ("Domain Name: x", "domain: x", "a. [Domain Name]  x"), possibly
// empty when the value stands on the next line; nothing when the line is no domain line.
std::optional<std::string_view> domainLineValue(std::string_view line) {
    const std::size_t open = line.find('[');
    const std::size_t colon = line.find(':');
    std::string_view label;
    std::size_t labelEnd = 0;
    if (open != std::string_view::npos && (colon == std::string_view::npos || open < colon)) {
        labelEnd = line.find(']', open);
        if (labelEnd == std::string_view::npos) {
            return std::nullopt;
        }
        label = line.substr(open + 1, labelEnd - open - 1);
    } else if (colon != std::string_view::npos) {
        labelEnd = colon;
        label = text::whitespaceTrimmed(line.substr(0, colon));
    }
    if (!isDomainLabel(label)) {
        return std::nullopt;
    }
    return text::whitespaceTrimmed(line.substr(labelEnd + 1));
}

bool sameDomain(std::string_view value, std::string_view domain, std::string_view unicode) {
    value = value.substr(0, value.find_first_of(" \t"));
    if (!value.empty() && value.back() == '.') {
        value.remove_suffix(1);
    }
    return std::equal(value.begin(), value.end(), domain.begin(), domain.end(), sameIgnoringCase) ||
           value == unicode;
}

bool namesDomain(std::string_view answer, std::string_view domain, std::string_view unicode) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < answer.size();) {
        const std::size_t end = std::min(answer.find('\n', start), answer.size());
        lines.push_back(answer.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string_view> value = domainLineValue(lines[i]);
        // Some registries put the value on the line below its label.
        for (std::size_t next = i + 1; value && value->empty() && next < lines.size(); ++next) {
            value = text::whitespaceTrimmed(lines[next]);
        }
        if (value && !value->empty() && sameDomain(*value, domain, unicode)) {
            return true;
        }
    }
    return false;
}

bool holds(std::string_view answer, std::string_view phrase) {
    // Byte-wise: the answer is UTF-8, so a GBK-aware search would pair bytes wrongly.
    return std::search(answer.begin(), answer.end(), phrase.begin(), phrase.end(),
                       sameIgnoringCase) != answer.end();
}

// The value of the first line whose label (before ':') is one of `labels`, ignoring case.
std::string labelledValue(std::string_view answer, std::initializer_list<std::string_view> labels) {
    for (std::size_t start = 0; start < answer.size();) {
        const std::size_t end = std::min(answer.find('\n', start), answer.size());
        const std::string_view line = answer.substr(start, end - start);
        start = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view label = text::whitespaceTrimmed(line.substr(0, colon));
        for (const std::string_view wanted : labels) {
            if (label.size() == wanted.size() &&
                std::equal(label.begin(), label.end(), wanted.begin(), sameIgnoringCase)) {
                return std::string(text::whitespaceTrimmed(line.substr(colon + 1)));
            }
        }
    }
    return {};
}

LookupOutcome takenWithDates(std::string_view answer) {
    LookupOutcome taken{Verdict::Taken, {}, 0};
    taken.registered = labelledValue(
        answer, {"Creation Date", "Created", "Registration Time", "Registered on", "created"});
    taken.expires = labelledValue(
        answer, {"Registry Expiry Date",
                 "Registrar Registration "
                 "Expiration Date",
                 "Expiry Date", "Expiration Time", "Expiration Date", "paid-till", "Expiry date"});
    return taken;
}

}  // namespace

std::string whoisAnswerText(std::string_view bytes) {
    if (text::isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return isGbkShaped(bytes) ? text::gbkToUtf8(bytes) : latin1ToUtf8(bytes);
}

LookupOutcome whoisOutcome(std::string_view answer, std::string_view domain,
                           std::string_view notFoundText) {
    const bool named = namesDomain(answer, domain, toULabel(domain));
    if (!notFoundText.empty()) {
        if (holds(answer, notFoundText)) {
            return {Verdict::Free, {}, 0};
        }
        if (named) {
            return takenWithDates(answer);
        }
    } else {
        if (named) {
            return takenWithDates(answer);
        }
        for (const std::string_view phrase : kCommonNotFound) {
            if (holds(answer, phrase)) {
                return {Verdict::Free, {}, 0};
            }
        }
    }
    return {Verdict::Failed, "WHOIS answer not understood", 0};
}

}  // namespace yc::registry
