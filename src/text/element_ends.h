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
    /// One name's opening tags with their closing tags: pairs_[first, first + count), in order.
    struct Balanced {
        std::size_t from = 0;  // tags before this position were not collected
        std::size_t first = 0;
        std::size_t count = 0;
    };
    struct OpenClose {
        std::uint32_t open;
        std::uint32_t close;  // kNone when nothing closes it
    };
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    /// The word right after "<" (opens) or "</" (closes), up to the next space, "<" or ">".
    struct Token {
        std::uint32_t pos;     // position of the "<"
        std::uint32_t length;  // of the word
    };

    Balanced balance(std::string_view name, std::size_t from);
    void collectByScan(std::string_view name, std::size_t from, std::vector<std::uint32_t>& opens,
                       std::vector<std::uint32_t>& closes) const;
    void collectFromIndex(std::string_view name, std::size_t from,
                          std::vector<std::uint32_t>& opens, std::vector<std::uint32_t>& closes);
    void buildIndex();
    std::vector<Token> sortedTokens(std::size_t offset, bool closing) const;
    template <class Keep>
    void collectTokens(const std::vector<Token>& tokens, std::size_t offset,
                       std::string_view prefix, std::size_t from, Keep keep,
                       std::vector<std::uint32_t>& out) const;
    bool closesAt(std::size_t pos, std::string_view name) const;
    void collectByHash(std::string_view name, std::size_t from, std::vector<std::uint32_t>& opens,
                       std::vector<std::uint32_t>& closes);
    const std::vector<std::uint32_t>& tagsWithWindow(std::size_t offset, std::string_view window,
                                                     std::size_t from);
    std::uint64_t windowHash(std::size_t begin, std::size_t length) const;

    std::string_view text_;
    std::vector<std::uint32_t> tagStarts_;
    std::unordered_map<std::string_view, Balanced, NameHash> balanced_;
    std::vector<OpenClose> pairs_;
    std::vector<std::uint32_t> opens_;  // scratch lists, reused from name to name
    std::vector<std::uint32_t> closes_;
    std::vector<std::size_t> stack_;
    // Every tag's word, sorted by the word, so that the tags whose word starts with a name form
    // one run. Built once a second name is asked for, so a scan for one given tag name does not
    // pay for it.
    bool indexed_ = false;
    std::vector<Token> openTokens_;
    std::vector<Token> closeTokens_;
    // For names holding a space, "<" or ">": rolling hashes of the text, and per window length and
    // offset after the "<", the tags grouped by the hash of the window there. Built on first need.
    struct Windows {
        std::size_t from = 0;
        std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> byHash;
    };
    std::vector<std::uint64_t> prefixHash_;
    std::vector<std::uint64_t> powers_;
    std::unordered_map<std::uint64_t, Windows> windows_;
};

}  // namespace yc::text
