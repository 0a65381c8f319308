#include "text/element_ends.h"

#include <algorithm>
#include <functional>

#include "text/boundary_find.h"

namespace yc::text {
namespace {

constexpr std::uint32_t kNone = UINT32_MAX;

bool isNameByte(char c) {
    return isAsciiDigit(c) || isAsciiLower(c);
}

/// The run of digits and lower-case letters starting at `pos`.
std::string_view nameRun(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return {};
    }
    std::size_t end = pos;
    while (end < text.size() && isNameByte(text[end])) {
        ++end;
    }
    return text.substr(pos, end - pos);
}

}  // namespace

std::size_t ElementEnds::NameHash::operator()(std::string_view name) const {
    // Names cut from overlapping start tags can be long; hashing a bounded prefix and the length
    // keeps every look-up cheap, and equal-looking keys are told apart by comparison.
    constexpr std::size_t kHashedPrefix = 64;
    return std::hash<std::string_view>{}(name.substr(0, kHashedPrefix)) ^
           (name.size() * 0x9E3779B97F4A7C15ULL);
}

bool opensTagAt(std::string_view text, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 1 + name.size();
    return after <= text.size() && text[pos] == '<' &&
           text.compare(pos + 1, name.size(), name) == 0 &&
           (after == text.size() || !isNameByte(text[after]));
}

ElementEnds::ElementEnds(std::string_view text)
    : text_(text), tagStarts_(characterPositions(text, '<')) {}

bool ElementEnds::closesAt(std::size_t pos, std::string_view name) const {
    const std::size_t gt = pos + 2 + name.size();
    return gt < text_.size() && text_[pos + 1] == '/' &&
           text_.compare(pos + 2, name.size(), name) == 0 && text_[gt] == '>';
}

void ElementEnds::collectByScan(std::string_view name, std::vector<std::uint32_t>& opens,
                                std::vector<std::uint32_t>& closes) const {
    for (const std::uint32_t pos : tagStarts_) {
        if (opensTagAt(text_, pos, name)) {
            opens.push_back(pos);
        } else if (closesAt(pos, name)) {
            closes.push_back(pos);
        }
    }
}

void ElementEnds::buildIndex() {
    for (const std::uint32_t pos : tagStarts_) {
        opensByRun_[nameRun(text_, pos + 1)].push_back(pos);
        if (pos + 1 < text_.size() && text_[pos + 1] == '/') {
            closesByRun_[nameRun(text_, pos + 2)].push_back(pos);
        }
    }
    indexed_ = true;
}

void ElementEnds::collectFromIndex(std::string_view name, std::vector<std::uint32_t>& opens,
                                   std::vector<std::uint32_t>& closes) {
    if (!indexed_) {
        buildIndex();
    }
    // A tag of this name has exactly the name's leading run of name bytes after "<" or "</":
    // the byte that ends the run in the name must follow it in the text too.
    const std::string_view run = nameRun(name, 0);
    if (const auto it = opensByRun_.find(run); it != opensByRun_.end()) {
        if (run.size() == name.size()) {
            opens = it->second;
        } else {
            std::copy_if(it->second.begin(), it->second.end(), std::back_inserter(opens),
                         [&](std::uint32_t pos) { return opensTagAt(text_, pos, name); });
        }
    }
    if (const auto it = closesByRun_.find(run); it != closesByRun_.end()) {
        std::copy_if(it->second.begin(), it->second.end(), std::back_inserter(closes),
                     [&](std::uint32_t pos) { return closesAt(pos, name); });
    }
}

ElementEnds::Balanced ElementEnds::balance(std::string_view name) {
    Balanced result;
    std::vector<std::uint32_t> closes;
    if (balanced_.empty() && !indexed_) {
        collectByScan(name, result.opens, closes);
    } else {
        collectFromIndex(name, result.opens, closes);
    }
    // Walking both lists in page order, each closing tag closes the innermost open element:
    // that is the first closing tag after an opening tag with the counts in between equal.
    result.closes.assign(result.opens.size(), kNone);
    std::vector<std::size_t> open;
    std::size_t o = 0;
    for (const std::uint32_t close : closes) {
        for (; o < result.opens.size() && result.opens[o] < close; ++o) {
            open.push_back(o);
        }
        if (!open.empty()) {
            result.closes[open.back()] = close;
            open.pop_back();
        }
    }
    return result;
}

std::size_t ElementEnds::closeFor(std::string_view name, std::size_t open) {
    auto it = balanced_.find(name);
    if (it == balanced_.end()) {
        it = balanced_.emplace(name, balance(name)).first;
    }
    const Balanced& b = it->second;
    const auto at = std::lower_bound(b.opens.begin(), b.opens.end(), open);
    if (at == b.opens.end() || *at != open) {
        return npos;
    }
    const std::uint32_t close = b.closes[static_cast<std::size_t>(at - b.opens.begin())];
    return close == kNone ? npos : close;
}

}  // namespace yc::text
