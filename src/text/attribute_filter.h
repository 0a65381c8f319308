// The HTML element finder's attribute filter: the attribute tests that decide whether a start
// tag is kept. For each attribute name, whether the tag carries it, or carries it with the wanted
// value (equal after trimming, or containing it). Start tags are handed in page order, so every
// search goes on from where the last one stopped and start tags that overlap (a "<" inside
// another tag) cost no second sweep.
#pragma once

#include <string_view>
#include <vector>

#include "text/boundary_find.h"
#include "text/gbk_text.h"

namespace yc::text {

class AttributeFilter {
  public:
    /// `folded` is the page with ASCII letters lower-cased. `values` is as long as `names`.
    AttributeFilter(std::string_view folded, const std::vector<Text>& names,
                    const std::vector<Text>& values, bool contains, bool matchAll);

    /// Whether the start tag at [begin, end) of the page passes; `begin` must not decrease from
    /// one call to the next.
    bool passes(std::size_t begin, std::size_t end);

  private:
    /// The text `between` a left and a right delimiter, compared with the wanted value. The
    /// comparison depends only on where the left delimiter was found, so it is kept for that.
    struct Candidate {
        ForwardFinder leftFinder;
        ForwardFinder rightFinder;
        ForwardFinder valueFinder;
        std::size_t comparedAt = npos;
        bool lastResult = false;
    };
    struct NameTest {
        ForwardFinder presenceFinder;  // " name=", folded
        Text value;                    // folded; empty for a presence test
        bool valueCanMatch = true;
        bool valueEndsInLoneLead = false;
        std::vector<Candidate> candidates;
    };

    bool holds(NameTest& test, std::size_t begin, std::size_t end);
    bool candidateHolds(const NameTest& test, Candidate& candidate, std::size_t begin,
                        std::size_t end);
    bool compare(const NameTest& test, Candidate& candidate, std::size_t from,
                 std::size_t to) const;

    std::string_view folded_;
    bool contains_;
    bool matchAll_;
    std::vector<NameTest> tests_;
};

}  // namespace yc::text
