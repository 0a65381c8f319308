// The bulk-check exchange against every page of the answer-pages folder, served verbatim by the
// registrar simulator: each page must give the outcome and free names its expectation file lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "query/bulk_check.h"
#include "support/registrar_sim.h"
#include "support/scripted_desktop.h"
#include "support/temp_dir.h"
#include "text/charset.h"

namespace yc::query {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// The folder's layout and its expectation files are described in its README.md.
const fs::path kFolder = YC_ANSWER_PAGES;
constexpr std::string_view kRefusedLine = "[refused]";

struct AnswerPage {
    std::string stem;
    fs::path page;
};

void PrintTo(const AnswerPage& page, std::ostream* out) {
    *out << page.stem;
}

std::vector<AnswerPage> pagesInFolder() {
    std::vector<AnswerPage> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(kFolder)) {
        if (entry.path().extension() == ".html") {
            pages.push_back({entry.path().stem().string(), entry.path()});
        }
    }
    std::ranges::sort(pages, {}, &AnswerPage::stem);
    return pages;
}

std::vector<std::string> linesOf(const std::string& content) {
    std::vector<std::string> lines;
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

struct Expectation {
    BatchOutcome outcome = BatchOutcome::Accepted;
    FreeNames free;  // GBK
};

Expectation expectationOf(const AnswerPage& page) {
    const std::vector<std::string> lines =
        linesOf(TempDir::read(fs::path(page.page).replace_extension(".free")));
    if (lines == std::vector<std::string>{std::string(kRefusedLine)}) {
        return {BatchOutcome::Refused, {}};
    }
    Expectation expected;
    for (const std::string& name : lines) {
        expected.free.insert(text::utf8ToGbk(name));
    }
    return expected;
}

class AnswerPageTest : public testing::TestWithParam<AnswerPage> {
  protected:
    test::ScriptedDesktop desktop;
};

TEST_P(AnswerPageTest, ThePageGivesTheOutcomeItsExpectationLists) {
    const AnswerPage& page = GetParam();
    const fs::path freeFile = fs::path(page.page).replace_extension(".free");
    const fs::path typeFile = fs::path(page.page).replace_extension(".type");
    ASSERT_TRUE(fs::exists(freeFile)) << freeFile;
    const std::vector<std::string> type = linesOf(TempDir::read(typeFile));
    ASSERT_EQ(type.size(), 1u) << typeFile << " holds one Content-Type line";

    sim::SimOptions options;
    options.answerPage = TempDir::read(page.page);
    options.answerType = type.front();
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());

    const Expectation expected = expectationOf(page);
    Batch batch(expected.free.begin(), expected.free.end());
    batch.push_back("taken-on-every-page.com");
    RegistrarExchange exchange(sim.url());
    FreeNames free{"left over"};
    EXPECT_EQ(exchange.CheckBatch(batch, free), expected.outcome);
    EXPECT_EQ(free, expected.free);
}

// A case is named after its page's stem, so a failure names the file to look at.
struct ByStem {
    std::string operator()(const testing::TestParamInfo<AnswerPage>& param) const {
        std::string name = param.param.stem;
        std::ranges::replace_if(
            name, [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
        return name;
    }
};

INSTANTIATE_TEST_SUITE_P(AnswerPages, AnswerPageTest, testing::ValuesIn(pagesInFolder()), ByStem());

}  // namespace
}  // namespace yc::query
