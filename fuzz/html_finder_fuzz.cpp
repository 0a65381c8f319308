// Fuzzes the HTML element finder: any options, tag list, attribute test and page bytes; then reads
// elements and attribute values back. The elements must be those of the step-by-step reference
// scan, and reading them must stay inside the page.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "html_finder_reference.h"
#include "text/html_element_finder.h"

namespace {

// Elements can overlap completely on hostile input, so reading all of them would only measure
// the size of the output.
constexpr int kElementsRead = 64;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    yc::text::FindOptions options;
    options.contains = input.ConsumeBool();
    options.matchAll = input.ConsumeBool();
    options.ignoreCase = input.ConsumeBool();
    options.innerOnly = input.ConsumeBool();
    options.letterStartOnly = input.ConsumeBool();
    const std::string tags = input.ConsumeRandomLengthString(16);
    std::vector<yc::Text> names;
    std::vector<yc::Text> values;
    const int tests = input.ConsumeIntegralInRange(0, 2);
    for (int i = 0; i < tests; ++i) {
        names.push_back(input.ConsumeRandomLengthString(12));
        values.push_back(input.ConsumeRandomLengthString(12));
    }
    const std::string page = input.ConsumeRemainingBytesAsString();

    yc::text::HtmlElementFinder finder;
    const int count = finder.FindElements(page, tags, names, values, options);
    require(count == finder.ElementCount() && count >= 0);
    const std::vector<yc::Text> expected =
        yc::fuzz::referenceElements(page, tags, names, values, options);
    require(expected.size() == static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        require(finder.ElementText(k, true) == expected[static_cast<std::size_t>(k - 1)]);
    }
    for (int k = 1; k <= std::min(count, kElementsRead); ++k) {
        const yc::Text raw = finder.ElementText(k, true);
        require(raw.size() <= page.size());
        const yc::Text element = finder.ElementText(k);
        const std::string name = names.empty() ? std::string("value") : names[0];
        require(finder.AttributeValue(element, name) ==
                yc::fuzz::referenceAttribute(element, name));
        (void)finder.AttributeValue(raw, name, values.empty() ? "x" : values[0], true);
    }
    require(finder.ElementText(0).empty() && finder.ElementText(count + 1).empty());
    require(finder.PageText() == page);
    finder.Reset();
    require(finder.ElementText(1).empty() && finder.PageText().empty());
    return 0;
}
