// Balancing opening and closing tags to find where each element ends.
#include "text/element_ends.h"

#include <algorithm>
#include <functional>

#include "text/boundary_find.h"

namespace yc::text {
namespace {

constexpr std::uint32_t kNone = UINT32_MAX;
// Rolling hashes wrap modulo 2^64; every hit they suggest is checked byte by byte.
constexpr std::uint64_t kHashBase = 0x100000001B3ULL;

bool isNameByte(char c) {
    return isAsciiDigit(c) || isAsciiLower(c);
}

/// Bytes that end a tag's word in the index. A name that holds one of them (a given name may hold
/// a space, and so may a double-byte character as its trail byte) is found by hashing instead.
constexpr std::string_view kWordEnds = " <>";

bool endsWord(char c) {
    return kWordEnds.find(c) != std::string_view::npos;
}

}  // namespace

bool opensTagAt(std::string_view text, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 1 + name.size();
    return after <= text.size() && text[pos] == '<' &&
           text.compare(pos + 1, name.size(), name) == 0 &&
           (after == text.size() || !isNameByte(text[after]));
}

std::size_t ElementEnds::NameHash::operator()(std::string_view name) const {
    // Names cut from overlapping start tags can be long; hashing a bounded prefix and the length
    // keeps every look-up cheap, and equal-looking keys are told apart by comparison.
    constexpr std::size_t kHashedPrefix = 64;
    return std::hash<std::string_view>{}(name.substr(0, kHashedPrefix)) ^
           (name.size() * 0x9E3779B97F4A7C15ULL);
}

ElementEnds::ElementEnds(std::string_view text)
    : text_(text), tagStarts_(characterPositions(text, '<')) {}

bool ElementEnds::closesAt(std::size_t pos, std::string_view name) const {
    const std::size_t gt = pos + 2 + name.size();
    return gt < text_.size() && text_[pos + 1] == '/' &&
           text_.compare(pos + 2, name.size(), name) == 0 && text_[gt] == '>';
}

void ElementEnds::collectByScan(std::string_view name, std::size_t from,
                                std::vector<std::uint32_t>& opens,
                                std::vector<std::uint32_t>& closes) const {
    for (const std::uint32_t pos : tagStarts_) {
        if (pos < from) {
            continue;
        }
        // With an empty name, "</>" is both an opening and a closing tag.
        if (opensTagAt(text_, pos, name)) {
            opens.push_back(pos);
        }
        if (closesAt(pos, name)) {
            closes.push_back(pos);
        }
    }
}

std::vector<ElementEnds::Token> ElementEnds::sortedTokens(std::size_t offset, bool closing) const {
    std::vector<Token> tokens;
    for (const std::uint32_t pos : tagStarts_) {
        if (closing && (pos + 1 >= text_.size() || text_[pos + 1] != '/')) {
            continue;
        }
        // Words end at the next "<" at the latest, so measuring them all reads the text once.
        std::size_t end = std::min(pos + offset, text_.size());
        while (end < text_.size() && !endsWord(text_[end])) {
            ++end;
        }
        tokens.push_back({pos, static_cast<std::uint32_t>(end - std::min(pos + offset, end))});
    }
    std::sort(tokens.begin(), tokens.end(), [&](const Token& a, const Token& b) {
        const int order =
            text_.substr(a.pos + offset, a.length).compare(text_.substr(b.pos + offset, b.length));
        return order != 0 ? order < 0 : a.pos < b.pos;
    });
    return tokens;
}

void ElementEnds::buildIndex() {
    openTokens_ = sortedTokens(1, false);
    closeTokens_ = sortedTokens(2, true);
    balanced_.reserve(tagStarts_.size());
    indexed_ = true;
}

template <class Keep>
void ElementEnds::collectTokens(const std::vector<Token>& tokens, std::size_t offset,
                                std::string_view prefix, std::size_t from, Keep keep,
                                std::vector<std::uint32_t>& out) const {
    auto word = [&](const Token& t) { return text_.substr(t.pos + offset, t.length); };
    auto it = std::lower_bound(tokens.begin(), tokens.end(), prefix,
                               [&](const Token& t, std::string_view p) { return word(t) < p; });
    for (; it != tokens.end() && word(*it).substr(0, prefix.size()) == prefix; ++it) {
        if (it->pos >= from && keep(*it)) {
            out.push_back(it->pos);
        }
    }
    std::sort(out.begin(), out.end());
}

void ElementEnds::collectFromIndex(std::string_view name, std::size_t from,
                                   std::vector<std::uint32_t>& opens,
                                   std::vector<std::uint32_t>& closes) {
    if (!indexed_) {
        buildIndex();
    }
    if (name.find_first_of(kWordEnds) == std::string_view::npos) {
        // The words that start with the name, where the byte after it passes the boundary
        // rule; each word is visited once per distinct name that is a prefix of it.
        collectTokens(
            openTokens_, 1, name, from,
            [&](const Token& t) {
                return t.length == name.size() || !isNameByte(text_[t.pos + 1 + name.size()]);
            },
            opens);
        collectTokens(
            closeTokens_, 2, name, from,
            [&](const Token& t) { return t.length == name.size() && closesAt(t.pos, name); },
            closes);
        return;
    }
    collectByHash(name, from, opens, closes);
}

std::uint64_t ElementEnds::windowHash(std::size_t begin, std::size_t length) const {
    return prefixHash_[begin + length] - prefixHash_[begin] * powers_[length];
}

const std::vector<std::uint32_t>& ElementEnds::tagsWithWindow(std::size_t offset,
                                                              std::string_view window,
                                                              std::size_t from) {
    static const std::vector<std::uint32_t> kNoTags;
    const std::size_t length = window.size();
    if (text_.size() < offset + length) {
        return kNoTags;
    }
    Windows& w = windows_[length * 2 + offset - 1];
    if (w.byHash.empty() || from < w.from) {
        // Names are asked for in page order, so one grouping per length serves every later
        // name of that length.
        w.from = from;
        w.byHash.clear();
        const std::size_t last = text_.size() - offset - length;
        for (const std::uint32_t pos : tagStarts_) {
            if (pos >= from && pos <= last) {
                w.byHash[windowHash(pos + offset, length)].push_back(pos);
            }
        }
    }
    std::uint64_t hash = 0;
    for (const char c : window) {
        hash = hash * kHashBase + static_cast<unsigned char>(c);
    }
    const auto it = w.byHash.find(hash);
    return it == w.byHash.end() ? kNoTags : it->second;
}

void ElementEnds::collectByHash(std::string_view name, std::size_t from,
                                std::vector<std::uint32_t>& opens,
                                std::vector<std::uint32_t>& closes) {
    // A name holding a word end shares its leading word with arbitrarily many other names, so
    // its tags are found by the hash of the whole name instead; each length is grouped once.
    if (prefixHash_.empty()) {
        prefixHash_.assign(text_.size() + 1, 0);
        powers_.assign(text_.size() + 1, 1);
        for (std::size_t i = 0; i < text_.size(); ++i) {
            prefixHash_[i + 1] = prefixHash_[i] * kHashBase + static_cast<unsigned char>(text_[i]);
            powers_[i + 1] = powers_[i] * kHashBase;
        }
    }
    for (const std::uint32_t pos : tagsWithWindow(1, name, from)) {
        if (opensTagAt(text_, pos, name)) {
            opens.push_back(pos);
        }
    }
    for (const std::uint32_t pos : tagsWithWindow(2, name, from)) {
        if (closesAt(pos, name)) {
            closes.push_back(pos);
        }
    }
}

ElementEnds::Balanced ElementEnds::balance(std::string_view name, std::size_t from) {
    // Whether an element closes depends only on the tags after it, so tags before the first
    // element asked about are left out.
    opens_.clear();
    closes_.clear();
    if (balanced_.empty() && !indexed_) {
        collectByScan(name, from, opens_, closes_);
    } else {
        collectFromIndex(name, from, opens_, closes_);
    }
    // Walking both lists in page order, each closing tag closes the innermost open element:
    // that is the first closing tag after an opening tag with the counts in between equal.
    const Balanced result{from, pairs_.size(), opens_.size()};
    for (const std::uint32_t open : opens_) {
        pairs_.push_back({open, kNone});
    }
    stack_.clear();
    std::size_t o = 0;
    for (const std::uint32_t close : closes_) {
        for (; o < opens_.size() && opens_[o] < close; ++o) {
            stack_.push_back(result.first + o);
        }
        if (!stack_.empty()) {
            pairs_[stack_.back()].close = close;
            stack_.pop_back();
        }
    }
    return result;
}

std::size_t ElementEnds::closeFor(std::string_view name, std::size_t open) {
    auto it = balanced_.find(name);
    if (it == balanced_.end() || open < it->second.from) {
        // Balancing may build the index and so grow the table: look the name up again after.
        const Balanced fresh = balance(name, open);
        it = balanced_.insert_or_assign(name, fresh).first;
    }
    const Balanced& b = it->second;
    const auto begin = pairs_.begin() + static_cast<std::ptrdiff_t>(b.first);
    const auto end = begin + static_cast<std::ptrdiff_t>(b.count);
    const auto at = std::lower_bound(
        begin, end, open, [](const OpenClose& p, std::size_t pos) { return p.open < pos; });
    if (at == end || at->open != open || at->close == kNone) {
        return npos;
    }
    return at->close;
}

}  // namespace yc::text
