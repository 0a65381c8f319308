// Pulls elements out of HTML page text without building a tree: finds the start tags of given
// names, keeps those whose attributes pass the tests, balances nested tags of the same name to
// find where each element ends, and hands out element texts and attribute values. Texts are GBK;
// element numbers count from 1.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "text/gbk_text.h"
#include "text/regex_object.h"

namespace yc::text {

/// Options of HtmlElementFinder::FindElements; each one left out takes the default shown.
struct FindOptions {
    std::optional<bool> contains;         // false: a value must equal the attribute's, trimmed
    std::optional<bool> matchAll;         // false: one passing attribute test is enough
    std::optional<bool> ignoreCase;       // true: tag names match whatever their case
    std::optional<bool> innerOnly;        // false: elements include their start and end tags
    std::optional<bool> letterStartOnly;  // false; with no tag name, skips <!...> and <?...>
};

class HtmlElementFinder {
  public:
    /// Forgets the page; the recorded element numbers stay but no longer give any text.
    void Reset();

    /// Calls `call` before each start tag a scan looks at, so that a caller with a window can
    /// keep it responsive over a long page; nullptr (the default) calls nothing.
    void CallBetweenTags(void (*call)()) { betweenTags_ = call; }

    /// Records every element of `tags` (names joined by "|"; empty for every tag) in `page` whose
    /// start tag passes the attribute tests: for each of `names`, the attribute is present (its
    /// entry in `values` empty or missing) or has the value. Returns the number recorded.
    int FindElements(std::string_view page, std::string_view tags, const std::vector<Text>& names,
                     const std::vector<Text>& values, const FindOptions& options = {});
    /// The same, keeping the page handed over instead of a copy of it.
    template <class Page>
    requires std::same_as<Page, Text>
    int FindElements(Page&& page, std::string_view tags, const std::vector<Text>& names,
                     const std::vector<Text>& values, const FindOptions& options = {}) {
        return findInPage(std::move(page), tags, names, values, options);
    }

    /// The page of the last FindElements, as it was given; "" after Reset.
    Text PageText() const;

    /// Read mode: the value of attribute `name` in `element`, trimmed; "" when absent. With `set`
    /// on: `element` with that value replaced by `newValue` (the attribute added when missing).
    Text AttributeValue(std::string_view element, std::string_view name,
                        std::optional<std::string_view> newValue = std::nullopt,
                        std::optional<bool> set = std::nullopt) const;

    Text CurrentElement() const { return currentElement_; }

    /// Text of element n (from 1), with blanks around "=" removed unless `raw`; "" when out of
    /// range.
    Text ElementText(int n, std::optional<bool> raw = std::nullopt) const;

    int ElementCount() const { return static_cast<int>(starts_.size()); }

    /// Every "=" with up to ten white-space or full-width-space characters on either side
    /// becomes a bare "=".
    Text NormaliseEquals(std::string_view text) const;

  private:
    struct Scan;
    int findInPage(Text&& page, std::string_view tags, const std::vector<Text>& names,
                   const std::vector<Text>& values, const FindOptions& options);
    Text pageText(std::size_t start, std::size_t end) const;
    void scanTag(Scan& scan, std::string_view tag);

    void (*betweenTags_)() = nullptr;
    std::vector<std::int32_t> starts_;  // 1-based position of each element's first byte
    std::vector<std::int32_t> ends_;    // 1-based position just after each element
    Text pageBytes_;                    // lower-cased when case was ignored, see lowered_
    // Bit i % 64 of word i / 64 set: byte i of the page was an upper-case letter.
    std::vector<std::uint64_t> lowered_;
    // Compiled on first need: most pages have no blank beside an "=", and the exchange makes a
    // new finder for every page.
    mutable std::optional<RegexObject> equalsNormaliser_;
    Text currentElement_;
};

}  // namespace yc::text
