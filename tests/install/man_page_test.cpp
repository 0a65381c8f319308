// Each manual page documents exactly the options its program's --help lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

// The long options named in a text: every "--word" or "--word-word".
std::set<std::string> longOptions(const std::string& text) {
    static const std::regex option("--[a-z0-9]+(-[a-z0-9]+)*");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

std::string helpOf(const std::string& program) {
    std::string output;
    if (FILE* pipe = popen((program + " --help").c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        pclose(pipe);
    }
    return output;
}

// The options a page documents: the tags of its tagged paragraphs (the line after ".TP" or
// ".TQ"), with roff's escaped hyphens ("\-") read as plain ones.
std::set<std::string> documentedOptions(const std::string& name) {
    std::ifstream in(std::string(YC_MAN_SOURCES) + "/" + name + ".1.in");
    std::string tags;
    bool tagLine = false;
    for (std::string line; std::getline(in, line);) {
        if (tagLine) {
            tags += std::regex_replace(line, std::regex(R"(\\-)"), "-") + "\n";
        }
        tagLine = line == ".TP" || line == ".TQ";
    }
    return longOptions(tags);
}

void expectSameOptions(const std::string& name, const std::string& program) {
    const std::set<std::string> help = longOptions(helpOf(program));
    ASSERT_FALSE(help.empty()) << program << " --help printed no options";
    EXPECT_EQ(documentedOptions(name), help) << name << ".1.in";
}

#ifdef YC_WINDOW_PATH
TEST(ManPageTest, WindowProgramPageListsTheHelpOptions) {
    expectSameOptions("yuchaling", YC_WINDOW_PATH);
}
#endif

TEST(ManPageTest, CommandLinePageListsTheHelpOptions) {
    expectSameOptions("yuchaling-cli", YC_CLI_PATH);
}

TEST(ManPageTest, SimulatorPageListsTheHelpOptions) {
    expectSameOptions("yuchaling-registrar-sim", YC_SIM_PATH);
}

}  // namespace
