// The HTML element finder's attribute filter: which start tags pass the attribute tests.
#include "text/attribute_filter.h"

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::text {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

bool isSpaceCharacter(std::string_view ch) {
    return ch == " " || ch == kFullWidthSpace;
}

/// The last character of `s` (walking from its start).
std::string_view lastCharacter(std::string_view s) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) {
        last = i;
    }
    return s.substr(last);
}

}  // namespace

AttributeFilter::AttributeFilter(std::string_view folded, const std::vector<Text>& names,
                                 const std::vector<Text>& values, bool contains, bool matchAll)
    : folded_(folded), contains_(contains), matchAll_(matchAll) {
    tests_.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Text equals = asciiLower(" " + names[i] + "=");
        NameTest test{ForwardFinder(folded, equals), asciiLower(values[i]), true, false, {}};
        if (!test.value.empty()) {
            const std::string_view last = lastCharacter(test.value);
            // A trimmed candidate never starts or ends with a space, so such a value can only
            // be found by the contains test.
            test.valueCanMatch = test.value[0] != ' ' &&
                                 test.value.compare(0, 2, kFullWidthSpace) != 0 &&
                                 !isSpaceCharacter(last);
            test.valueEndsInLoneLead =
                last.size() == 1 && isLeadByte(static_cast<unsigned char>(last[0]));
            static constexpr std::string_view kDelimiters[4][2] = {
                {"\"", "\""}, {"'", "'"}, {"", " "}, {"", ">"}};
            for (const auto& [leftEnd, right] : kDelimiters) {
                test.candidates.push_back({ForwardFinder(folded, equals + Text(leftEnd)),
                                           ForwardFinder(folded, Text(right)),
                                           ForwardFinder(folded, test.value)});
            }
        }
        tests_.push_back(std::move(test));
    }
}

bool AttributeFilter::passes(std::size_t begin, std::size_t end) {
    for (NameTest& test : tests_) {
        const bool ok = holds(test, begin, end);
        if (ok != matchAll_) {
            return ok;  // any test holds without matchAll; one fails with it
        }
    }
    return matchAll_;
}

bool AttributeFilter::holds(NameTest& test, std::size_t begin, std::size_t end) {
    if (test.value.empty()) {
        const std::size_t at = test.presenceFinder.next(begin);
        return at != npos && at + test.presenceFinder.needle().size() <= end;
    }
    for (Candidate& candidate : test.candidates) {
        if (candidateHolds(test, candidate, begin, end)) {
            return true;
        }
    }
    return false;
}

bool AttributeFilter::candidateHolds(const NameTest& test, Candidate& candidate, std::size_t begin,
                                     std::size_t end) {
    const std::size_t left = candidate.leftFinder.next(begin);
    if (left == npos) {
        return false;
    }
    const std::size_t from = left + candidate.leftFinder.needle().size();
    if (from > end) {
        return false;
    }
    const std::size_t to = candidate.rightFinder.next(from);
    if (to == npos || to + 1 > end) {
        return false;
    }
    if (candidate.comparedAt != left) {
        candidate.comparedAt = left;
        candidate.lastResult = compare(test, candidate, from, to);
    }
    return candidate.lastResult;
}

bool AttributeFilter::compare(const NameTest& test, Candidate& candidate, std::size_t from,
                              std::size_t to) const {
    const std::string_view text = folded_.substr(from, to - from);
    if (test.valueEndsInLoneLead) {
        // Such a value pairs with whatever byte follows it, so the general routines decide.
        return contains_ ? contains(text, test.value, CaseMode::IgnoreAscii)
                         : trimSpaces(text) == test.value;
    }
    if (contains_) {
        const std::size_t at = candidate.valueFinder.next(from);
        return at != npos && at + test.value.size() <= to;
    }
    if (!test.valueCanMatch) {
        return false;
    }
    // Equal after trimming: spaces, the value, then nothing but spaces. Each scan stops at the
    // first byte that is not a space, so no text is walked twice over a sequence of start tags.
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.compare(i, 2, kFullWidthSpace) == 0) {
            i += 2;
        } else {
            break;
        }
    }
    if (text.compare(i, test.value.size(), test.value) != 0 ||
        text.size() - i < test.value.size()) {
        return false;
    }
    for (i += test.value.size(); i < text.size();) {
        const std::size_t len = charLength(text, i);
        if (!isSpaceCharacter(text.substr(i, len))) {
            return false;
        }
        i += len;
    }
    return true;
}

}  // namespace yc::text
