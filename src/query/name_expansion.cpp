// Bare-word expansion over the list's lines.
#include "query/name_expansion.h"

#include <algorithm>

#include "query/domain_list.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::query {
namespace {

const std::vector<Text>& presetCn() {
    static const std::vector<Text> suffixes{"com", "cn",   "com.cn", "net",
                                            "top", "wang", "vip",    "xyz"};
    return suffixes;
}

const std::vector<Text>& presetPopular() {
    static const std::vector<Text> suffixes{"com", "net", "org", "io", "ai", "co", "app", "dev"};
    return suffixes;
}

// A line is a bare word when, trimmed, it is not empty and holds no dot (ASCII or full-width).
bool isBareWord(std::string_view trimmed) {
    return !trimmed.empty() && !text::contains(trimmed, ".") &&
           !text::contains(trimmed, YC_GBK("。")) && !text::contains(trimmed, YC_GBK("．"));
}

std::size_t namesPerWord(const NameExpansion& e) {
    return std::max<std::size_t>(e.prefixes.size(), 1) *
           std::max<std::size_t>(e.suffixWords.size(), 1) * e.suffixes.size();
}

template <typename Visit>
void forEachLine(std::string_view listText, Visit visit) {
    DomainListLines lines(listText);
    for (std::string_view line; lines.next(line);) {
        visit(line, text::trimSpaces(line));
    }
}

}  // namespace

std::vector<Text> ParseWordList(std::string_view listText) {
    const Text spaced = text::replaceAll(text::replaceAll(listText, ",", " "), YC_GBK("，"), " ");
    std::vector<Text> words;
    for (const Text& piece : text::split(spaced, " ")) {
        const Text word = text::trimSpaces(piece);
        if (!word.empty()) {
            words.push_back(word);
        }
    }
    return words;
}

std::optional<std::vector<Text>> ParseSuffixList(std::string_view listText) {
    std::vector<Text> suffixes;
    const auto add = [&suffixes](std::string_view suffix) {
        const Text plain = text::asciiLower(suffix.substr(suffix.starts_with('.') ? 1 : 0));
        if (!plain.empty() &&
            std::find(suffixes.begin(), suffixes.end(), plain) == suffixes.end()) {
            suffixes.push_back(plain);
        }
    };
    for (const Text& word : ParseWordList(listText)) {
        if (!word.starts_with('@')) {
            add(word);
            continue;
        }
        const Text preset = text::asciiLower(word);
        if (preset != "@cn" && preset != "@popular") {
            return std::nullopt;
        }
        for (const Text& suffix : preset == "@cn" ? presetCn() : presetPopular()) {
            add(suffix);
        }
    }
    return suffixes;
}

std::size_t ExpandedLineCount(std::string_view listText, const NameExpansion& expansion) {
    std::size_t count = 0;
    forEachLine(listText, [&](std::string_view, const Text& trimmed) {
        count += isBareWord(trimmed) ? namesPerWord(expansion) : 1;
    });
    return count;
}

Text ExpandNames(std::string_view listText, const NameExpansion& expansion) {
    const std::vector<Text> noWord{Text()};
    const auto& prefixes = expansion.prefixes.empty() ? noWord : expansion.prefixes;
    const auto& suffixWords = expansion.suffixWords.empty() ? noWord : expansion.suffixWords;
    Text expanded;
    forEachLine(listText, [&](std::string_view line, const Text& trimmed) {
        if (!isBareWord(trimmed)) {
            expanded.append(line).append("\r\n");
            return;
        }
        for (const Text& prefix : prefixes) {
            for (const Text& suffixWord : suffixWords) {
                for (const Text& suffix : expansion.suffixes) {
                    expanded.append(prefix).append(trimmed).append(suffixWord);
                    expanded.append(".").append(suffix).append("\r\n");
                }
            }
        }
    });
    return expanded;
}

}  // namespace yc::query
