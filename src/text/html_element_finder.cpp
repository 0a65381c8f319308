// The HTML element finder: scanning a page for elements and reading their text and attributes.
#include "text/html_element_finder.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>

#include "text/attribute_filter.h"
#include "text/attribute_value.h"
#include "text/boundary_find.h"
#include "text/charset.h"
#include "text/element_ends.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::text {
namespace {

/// U+3000 inside the classes is the full-width space; the pattern text is UTF-8 turned to GBK.
const Text& equalsPattern() {
    return YC_GBK("[\\s　]{0,10}=[\\s　]{0,10}");
}

bool isBlankByte(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

/// False only when no "=" has a blank character right next to it; the normaliser would then
/// replace every "=" by itself.
bool hasBlankBesideEquals(std::string_view text) {
    for (std::size_t pos = text.find('='); pos != npos; pos = text.find('=', pos + 1)) {
        const bool blankBefore =
            pos > 0 &&
            (isBlankByte(text[pos - 1]) || (pos > 1 && text.compare(pos - 2, 2, "\xA1\xA1") == 0));
        const bool blankAfter =
            pos + 1 < text.size() &&
            (isBlankByte(text[pos + 1]) || text.compare(pos + 1, 2, "\xA1\xA1") == 0);
        if (blankBefore || blankAfter) {
            return true;
        }
    }
    return false;
}

}  // namespace

/// What one FindElements call shares between its per-tag scans.
struct HtmlElementFinder::Scan {
    std::string_view page;
    std::string_view folded;  // ASCII letters lower-cased, for the attribute tests
    std::string_view search;  // folded, or the page itself when case matters
    const std::vector<Text>& names;
    std::vector<Text> values;
    bool contains;
    bool matchAll;
    bool ignoreCase;
    bool innerOnly;
    bool letterStartOnly;
    std::vector<std::uint32_t> tagEnds;  // every ">" that starts a character
    ElementEnds ends;                    // also lists every "<" that starts a character
};

void HtmlElementFinder::Reset() {
    pageBytes_.clear();
    lowered_.clear();
    currentElement_.clear();
}

int HtmlElementFinder::FindElements(std::string_view page, std::string_view tags,
                                    const std::vector<Text>& names, const std::vector<Text>& values,
                                    const FindOptions& options) {
    return findInPage(Text(page), tags, names, values, options);
}

int HtmlElementFinder::findInPage(Text&& page, std::string_view tags,
                                  const std::vector<Text>& names, const std::vector<Text>& values,
                                  const FindOptions& options) {
    starts_.clear();
    ends_.clear();
    lowered_.clear();
    pageBytes_ = std::move(page);
    // Positions are kept as 32-bit numbers counted from 1.
    if (pageBytes_.size() >= static_cast<std::size_t>(INT32_MAX)) {
        return 0;
    }
    const bool ignoreCase = options.ignoreCase.value_or(true);
    // Ignoring case, the page is kept lower-cased alone, the changed letters marked so that
    // texts come out as sent: the page is held once.
    Text foldedCopy;
    if (ignoreCase) {
        asciiLowerInPlace(pageBytes_, lowered_);
    } else {
        foldedCopy = asciiLower(pageBytes_);
    }
    const std::string_view folded = ignoreCase ? std::string_view(pageBytes_) : foldedCopy;
    const std::string_view search = ignoreCase ? folded : std::string_view(pageBytes_);
    Scan scan{pageBytes_,
              folded,
              search,
              names,
              values,
              options.contains.value_or(false),
              options.matchAll.value_or(false),
              ignoreCase,
              options.innerOnly.value_or(false),
              options.letterStartOnly.value_or(false),
              characterPositions(search, '>'),
              ElementEnds(search)};
    scan.values.resize(names.size());
    if (tags.empty()) {
        scanTag(scan, {});
    } else {
        for (const Text& tag : split(tags, "|")) {
            scanTag(scan, tag);
        }
    }
    return ElementCount();
}

void HtmlElementFinder::scanTag(Scan& scan, std::string_view tag) {
    const std::string_view search = scan.search;
    const Text name = scan.ignoreCase ? asciiLower(tag) : Text(tag);
    const Text open = "<" + name;
    const bool anyTag = name.empty();
    AttributeFilter filter(scan.folded, scan.names, scan.values, scan.contains, scan.matchAll);
    ForwardFinder spaces(search, " ");
    ForwardFinder lineBreaks(search, "\r\n");
    std::size_t nextTagEnd = 0;  // index into scan.tagEnds
    std::size_t searchFrom = 0;
    for (const std::uint32_t at : scan.ends.tagStarts()) {
        if (at < searchFrom) {
            continue;
        }
        if (betweenTags_) {
            betweenTags_();
        }
        if (!anyTag && !opensTagAt(search, at, name)) {
            continue;
        }
        const std::size_t afterOpen = at + open.size();
        while (nextTagEnd < scan.tagEnds.size() && scan.tagEnds[nextTagEnd] < afterOpen) {
            ++nextTagEnd;
        }
        if (nextTagEnd == scan.tagEnds.size()) {
            break;  // no start tag from here on has its ">"
        }
        const std::size_t gt = scan.tagEnds[nextTagEnd];
        const std::size_t tagEnd = gt + 1;
        std::string_view elementName = name;
        if (anyTag) {
            if (search[at + 1] == '/') {
                continue;
            }
            if (scan.letterStartOnly && !isAsciiLetter(search[at + 1])) {
                continue;
            }
            std::size_t nameEnd = spaces.next(at + 1);
            if (nameEnd == npos || nameEnd > gt) {
                nameEnd = lineBreaks.next(at + 1);
                if (nameEnd == npos || nameEnd + 2 > gt) {
                    nameEnd = gt;
                }
            }
            elementName = search.substr(at + 1, nameEnd - at - 1);
        }
        if (!scan.names.empty() && !filter.passes(at, tagEnd)) {
            continue;
        }
        const bool selfClosing = gt > at + 1 && scan.page[gt - 1] == '/';
        const std::size_t close = selfClosing ? npos : scan.ends.closeFor(elementName, at);
        std::size_t start = at;
        std::size_t end = close == npos ? tagEnd : close + elementName.size() + 3;
        if (scan.innerOnly) {
            // An element that is its start tag alone has no content, and neither has one whose
            // closing tag lies inside its start tag ("<td a='</td>").
            start = tagEnd;
            end = close == npos ? tagEnd : std::max(close, tagEnd);
        }
        starts_.push_back(static_cast<std::int32_t>(start + 1));
        ends_.push_back(static_cast<std::int32_t>(end + 1));
        // Nested elements of the same name are found too: the search goes on inside this one.
        searchFrom = scan.innerOnly ? start : at + 1;
    }
}

Text HtmlElementFinder::AttributeValue(std::string_view element, std::string_view name,
                                       std::optional<std::string_view> newValue,
                                       std::optional<bool> set) const {
    return set.value_or(false) ? replaceAttribute(element, name, newValue.value_or(""))
                               : readAttribute(element, name);
}

Text HtmlElementFinder::ElementText(int n, std::optional<bool> raw) const {
    if (n < 1 || n > ElementCount()) {
        return {};
    }
    const auto start = static_cast<std::size_t>(starts_[static_cast<std::size_t>(n - 1)] - 1);
    const auto end = static_cast<std::size_t>(ends_[static_cast<std::size_t>(n - 1)] - 1);
    if (end > pageBytes_.size() || start > end) {
        return {};  // the page was reset
    }
    Text text = pageText(start, end);
    return raw.value_or(false) ? text : NormaliseEquals(text);
}

Text HtmlElementFinder::PageText() const {
    return pageText(0, pageBytes_.size());
}

Text HtmlElementFinder::pageText(std::size_t start, std::size_t end) const {
    Text text = pageBytes_.substr(start, end - start);
    for (std::size_t word = start / 64; word < lowered_.size() && word * 64 < end; ++word) {
        for (std::uint64_t bits = lowered_[word]; bits != 0; bits &= bits - 1) {
            const std::size_t pos = word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
            if (pos >= start && pos < end) {
                text[pos - start] = asciiToUpper(text[pos - start]);
            }
        }
    }
    return text;
}

Text HtmlElementFinder::NormaliseEquals(std::string_view text) const {
    if (!hasBlankBesideEquals(text)) {
        return Text(text);
    }
    if (!equalsNormaliser_) {
        equalsNormaliser_.emplace().Compile(equalsPattern());
    }
    return equalsNormaliser_->Replace(text, "=");
}

}  // namespace yc::text
