// Where elements end. For one tag name, every opening tag "<name" (not followed by a digit or
// lower-case letter) and every closing tag "</name>" of the page are balanced against each other
// in a single sweep, so each element's closing tag is known without rescanning the page.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/gbk_text.h"

namespace yc::text {

/// True when "<" + `name` is at `pos` and not followed by a digit or lower-case letter, so that
/// "<inputs" is no "<input"; the text may end right after the name.
bool opensTagAt(std::string_view text, std::size_t pos, std::string_view name);

class ElementEnds {
  public:
    /// `text` is the text searched (already lower-cased where that is wanted) and must outlive
    /// this object.
    explicit ElementEnds(std::string_view text);

    /// Every "<" of the text that starts a character, in order.
    const std::vector<std::uint32_t>& tagStarts() const { return tagStarts_; }

    /// Position of the "</name>" that balances the opening tag "<name" at `open`: the first one
    /// after it with as many opening as closing tags of the name in between. npos when none.
    std::size_t closeFor(std::string_view name, std::size_t open);

  private:
    struct Balanced {
        std::vector<std::uint32_t> opens;   // opening tags, in order
        std::vector<std::uint32_t> closes;  // the closing tag of each opening tag, or kNone
    };
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    using Bucket = std::unordered_map<std::string_view, std::vector<std::uint32_t>, NameHash>;

    Balanced balance(std::string_view name);
    void collectByScan(std::string_view name, std::vector<std::uint32_t>& opens,
                       std::vector<std::uint32_t>& closes) const;
    void collectFromIndex(std::string_view name, std::vector<std::uint32_t>& opens,
                          std::vector<std::uint32_t>& closes);
    void buildIndex();
    bool closesAt(std::size_t pos, std::string_view name) const;

    std::string_view text_;
    std::vector<std::uint32_t> tagStarts_;
    std::unordered_map<std::string_view, Balanced, NameHash> balanced_;
    // Tags grouped by the run of digits and lower-case letters after "<" or "</"; built once a
    // second name is asked for, so a scan for one given tag name does not pay for it.
    bool indexed_ = false;
    Bucket opensByRun_;
    Bucket closesByRun_;
};

}  // namespace yc::text
