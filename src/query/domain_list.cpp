// Splitting the list into lines and cutting each line down to the name that is sent.
#include "query/domain_list.h"

#include <algorithm>
#include <array>

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::query {
namespace {

using text::CaseMode;
using text::npos;

constexpr std::array<std::string_view, 20> kCompoundSuffixLabels = {
    "com", "net",  "org", "edu", "gov", "tel", "info",   "name", "mobi", "travel",
    "tv",  "club", "cc",  "int", "mil", "pro", "museum", "coop", "aero", "am"};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && text::matchesAt(a, 0, b, CaseMode::IgnoreAscii);
}

}  // namespace

bool DomainListLines::next(std::string_view& line) {
    if (atEnd()) {
        return false;
    }
    // Walked a character at a time: a "|" that is the trail byte of a GBK character separates
    // nothing. CR and LF are never part of a double-byte character.
    const std::size_t start = position_;
    for (std::size_t pos = start; pos < text_.size(); pos += text::charLength(text_, pos)) {
        const bool bar = text_[pos] == '|';
        if (bar || (text_[pos] == '\r' && pos + 1 < text_.size() && text_[pos + 1] == '\n')) {
            line = text_.substr(start, pos - start);
            position_ = pos + (bar ? 1 : 2);
            return true;
        }
    }
    line = text_.substr(start);
    position_ = text_.size();
    return true;
}

std::size_t DomainListLines::remaining() const {
    DomainListLines rest = *this;
    std::size_t count = 0;
    for (std::string_view line; rest.next(line);) {
        ++count;
    }
    return count;
}

std::vector<Text> SplitDomainList(std::string_view text) {
    std::vector<Text> lines;
    DomainListLines reader(text);
    for (std::string_view line; reader.next(line);) {
        lines.emplace_back(line);
    }
    return lines;
}

Text NormaliseDomainLine(std::string_view line) {
    Text name = MainDomainOf(text::spacesTrimmed(line));
    if (text::contains(name, "www.", CaseMode::IgnoreAscii)) {
        name = text::replaceAll(name, "www.", "", CaseMode::IgnoreAscii);
    }
    return name;
}

Text HostOfLine(std::string_view line) {
    // GBK trail bytes are 0x40 and above, so byte searches for "/?#:." never hit half a character.
    std::string_view host = text::spacesTrimmed(line);
    if (const std::size_t slashes = text::find(host, "//"); slashes != npos) {
        host.remove_prefix(slashes + 2);
    }
    host = host.substr(0, std::min(host.find_first_of("/?#"), host.size()));
    if (const std::size_t colon = host.rfind(':');
        colon != std::string_view::npos &&
        host.find_first_not_of("0123456789", colon + 1) == std::string_view::npos) {
        host = host.substr(0, colon);
    }
    while (!host.empty() && host.back() == '.') {
        host.remove_suffix(1);
    }
    Text name = text::asciiLower(host);
    std::size_t www = 0;
    while (std::string_view(name).substr(www).starts_with("www.")) {
        www += 4;
    }
    name.erase(0, www);
    return name;
}

bool HasCompoundSuffix(std::string_view host) {
    // ".L." occurs exactly when two neighbouring dots enclose L, because no label holds a dot;
    // so one pass over the dots replaces twenty searches of the host.
    std::size_t dot = text::find(host, ".");
    while (dot != npos) {
        const std::size_t next = text::find(host, ".", dot + 1);
        if (next == npos) {
            break;
        }
        const std::string_view label = host.substr(dot + 1, next - dot - 1);
        for (const std::string_view candidate : kCompoundSuffixLabels) {
            if (equalsIgnoringAsciiCase(label, candidate)) {
                return true;
            }
        }
        dot = next;
    }
    return false;
}

Text MainDomainOf(std::string_view text) {
    const std::size_t slashes = text::find(text, "//");
    const std::size_t start = slashes == npos ? 0 : slashes + 2;
    const std::size_t slash = text::find(text, "/", start);
    const std::size_t end = slash == npos ? text.size() : slash;
    if (end <= start) {
        return {};
    }
    const std::string_view host = text.substr(start, end - start);

    // Each cut is the last dot at least two bytes before the previous cut (or the end), so a
    // trailing dot and a dot right before the previous cut are passed over.
    const int levels = HasCompoundSuffix(host) ? 3 : 2;
    std::size_t cut = host.size() - 1;  // the last byte acts as the first cut
    for (int level = 0; level < levels && cut != npos; ++level) {
        cut = cut >= 2 ? text::rfind(host, ".", cut - 2) : npos;
    }
    const std::size_t keepFrom = cut == npos ? 0 : cut + 1;
    // A host that is "www." before its main domain is kept whole.
    if (keepFrom == 4 && equalsIgnoringAsciiCase(host.substr(0, 4), "www.")) {
        return Text(host);
    }
    return text::asciiLower(host.substr(keepFrom));
}

}  // namespace yc::query
