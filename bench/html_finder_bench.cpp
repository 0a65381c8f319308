// Speed of the HTML element finder on an exchange answer page (against libxml2's HTML parser and
// an XPath query reading the same values), on hostile pages at two sizes, and of the equals
// normaliser on a large element text. Prints the libxml2 ratio and each hostile page's growth.
#include <benchmark/benchmark.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "text/charset.h"
#include "text/html_element_finder.h"

namespace {

using yc::Text;
using yc::text::HtmlElementFinder;

constexpr int kFreeNames = 20'000;

/// About 2 MB: 20,000 checkbox inputs named "domain[]" in table rows, ten rows to a table, each
/// table inside nested div elements, with other inputs and Chinese text around them.
const Text& exchangePage() {
    static const Text page = [] {
        Text p = yc::text::utf8ToGbk(
            "<html><head><title>批量注册</title></head><body><form method=\"post\">"
            "<div class=\"main\"><input type=\"hidden\" name=\"token\" value=\"abc\">");
        const Text cell = yc::text::utf8ToGbk("<td>可注册</td>");
        for (int i = 0; i < kFreeNames; ++i) {
            if (i % 10 == 0) {
                p += "<div class=\"group\"><div><table class=\"list\">";
            }
            p += "<tr><td><div><input type=\"checkbox\" name=\"domain[]\" value=\"name" +
                 std::to_string(i) + ".com\"></div></td>" + cell + "</tr>\r\n";
            if (i % 10 == 9) {
                p += "</table></div></div>\r\n";
            }
        }
        p += "<input type=\"submit\" name=\"go\" value=\"ok\"></div></form></body></html>";
        return p;
    }();
    return page;
}

std::vector<Text> finderValues(const Text& page) {
    HtmlElementFinder finder;
    std::vector<Text> values;
    const int count = finder.FindElements(page, "input", {"name"}, {"domain[]"});
    values.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        const Text element = finder.ElementText(k);
        values.push_back(finder.AttributeValue(element, "value"));
    }
    return values;
}

std::vector<std::string> libxml2Values(const Text& page) {
    std::vector<std::string> values;
    htmlDocPtr doc = htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, "GBK",
                                    HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    xmlXPathObjectPtr result = xmlXPathEvalExpression(
        reinterpret_cast<const xmlChar*>("//input[@name='domain[]']/@value"), context);
    if (result != nullptr && result->nodesetval != nullptr) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            xmlChar* text = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
            values.emplace_back(reinterpret_cast<const char*>(text));
            xmlFree(text);
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    xmlFreeDoc(doc);
    return values;
}

void ExchangePage_Finder(benchmark::State& state) {
    const Text& page = exchangePage();
    for (auto _ : state) {
        const std::vector<Text> values = finderValues(page);
        if (values.size() != kFreeNames) {
            state.SkipWithError("wrong number of values");
        }
        benchmark::DoNotOptimize(values.data());
    }
    state.counters["page_MB"] = static_cast<double>(page.size()) / (1 << 20);
}
BENCHMARK(ExchangePage_Finder)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void ExchangePage_Libxml2(benchmark::State& state) {
    const Text& page = exchangePage();
    for (auto _ : state) {
        const std::vector<std::string> values = libxml2Values(page);
        if (values.size() != kFreeNames) {
            state.SkipWithError("wrong number of values");
        }
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(ExchangePage_Libxml2)->Unit(benchmark::kMillisecond)->MinTime(1.0);

Text repeatToSize(std::string_view piece, std::size_t size) {
    Text page;
    page.reserve(size + piece.size());
    while (page.size() < size) {
        page += piece;
    }
    return page;
}

enum Hostile {
    UnclosedInput,
    NestedDivs,
    DivPairs,
    NestedDivsAnyTag,
    OverlappingStartTags,
    DistinctNamesAnyTag
};

/// Scans a hostile page of `range(1)` MiB the way its kind is read, and reads every element.
void HostilePage(benchmark::State& state) {
    const auto kind = static_cast<Hostile>(state.range(0));
    const auto size = static_cast<std::size_t>(state.range(1)) << 20;
    Text page;
    std::string_view tag = "div";
    std::vector<Text> names;
    std::vector<Text> values;
    bool readElements = true;
    switch (kind) {
        case UnclosedInput:
            page = repeatToSize("<input", size);
            tag = "input";
            break;
        case NestedDivs:
        case NestedDivsAnyTag:
            page = repeatToSize("<div>abcde", size);  // 100,000 deep per MiB
            tag = kind == NestedDivs ? "div" : "";
            break;
        case DivPairs:
            page = repeatToSize("<div></div>", size);
            break;
        case OverlappingStartTags:
            // Every start tag runs to the one ">" at the end: the elements overlap completely,
            // so only the scan is timed.
            page = repeatToSize("<input name=\"domain[]\" ", size) + ">";
            tag = "input";
            names = {"name"};
            values = {"domain[]"};
            readElements = false;
            break;
        case DistinctNamesAnyTag:
            // Every element has a name of its own, all sharing the leading word "a".
            for (int i = 0; page.size() < size; ++i) {
                page += "<a-" + std::to_string(i) + " id=x>";
            }
            tag = "";
            break;
    }
    std::size_t elements = 0;
    for (auto _ : state) {
        HtmlElementFinder finder;
        const int count = finder.FindElements(page, tag, names, values);
        for (int k = 1; readElements && k <= count; ++k) {
            const Text element = finder.ElementText(k);
            benchmark::DoNotOptimize(finder.AttributeValue(element, "value"));
        }
        elements = static_cast<std::size_t>(count);
    }
    state.counters["elements"] = static_cast<double>(elements);
}
BENCHMARK(HostilePage)
    ->ArgsProduct({{UnclosedInput, NestedDivs, DivPairs, NestedDivsAnyTag, OverlappingStartTags,
                    DistinctNamesAnyTag},
                   {1, 2}})
    ->ArgNames({"kind", "MiB"})
    ->Unit(benchmark::kMillisecond);

void NormaliseEquals2MB(benchmark::State& state) {
    // The worst case for the normaliser: blanks around every "=" and double-byte text between.
    const Text text =
        repeatToSize(yc::text::utf8ToGbk("<a href = \"x\"　=　1 title=\t'中文'>"), 2u << 20);
    HtmlElementFinder finder;
    for (auto _ : state) {
        benchmark::DoNotOptimize(finder.NormaliseEquals(text));
    }
}
BENCHMARK(NormaliseEquals2MB)->Unit(benchmark::kMillisecond);

/// Keeps each benchmark's best time over its repetitions, so that ratios printed after the table
/// are not skewed by other load on the machine.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> milliseconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) {
                continue;
            }
            const double ms = run.GetAdjustedRealTime();
            const auto [it, added] = milliseconds.emplace(run.benchmark_name(), ms);
            if (!added && ms < it->second) {
                it->second = ms;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& ms = reporter.milliseconds;
    const auto finder = ms.find("ExchangePage_Finder/min_time:1.000");
    const auto libxml2 = ms.find("ExchangePage_Libxml2/min_time:1.000");
    if (finder != ms.end() && libxml2 != ms.end()) {
        std::printf("exchange page: finder %.2f ms, libxml2 %.2f ms, ratio %.3f (target <= 0.5)\n",
                    finder->second, libxml2->second, finder->second / libxml2->second);
    }
    for (int kind = UnclosedInput; kind <= DistinctNamesAnyTag; ++kind) {
        const std::string base = "HostilePage/kind:" + std::to_string(kind) + "/MiB:";
        const auto one = ms.find(base + "1");
        const auto two = ms.find(base + "2");
        if (one != ms.end() && two != ms.end()) {
            std::printf(
                "hostile kind %d: 1 MiB %.2f ms, 2 MiB %.2f ms, growth x%.2f "
                "(target <= 2.5)\n",
                kind, one->second, two->second, two->second / one->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
