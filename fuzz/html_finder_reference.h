// The element scan written out step by step, with a counting pass per element and the attribute
// tests cut from each start tag: slow, but plain enough to check the finder's indexes against.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/gbk_edit.h"
#include "text/gbk_search.h"
#include "text/html_element_finder.h"

namespace yc::fuzz {

using text::CaseMode;

inline bool boundaryOk(std::string_view s, std::size_t after) {
    return after >= s.size() || !(text::isAsciiDigit(s[after]) || text::isAsciiLower(s[after]));
}

inline bool attributeTestHolds(std::string_view tag, const Text& name, const Text& value,
                               bool contains) {
    if (value.empty()) {
        return text::contains(tag, " " + name + "=", CaseMode::IgnoreAscii);
    }
    const Text left = " " + name + "=";
    const Text candidates[] = {text::between(tag, left + "\"", "\""),
                               text::between(tag, left + "'", "'"), text::between(tag, left, " "),
                               text::between(tag, left, ">")};
    for (const Text& c : candidates) {
        if (contains ? text::contains(c, value, CaseMode::IgnoreAscii)
                     : text::trimSpaces(text::asciiLower(c)) == text::asciiLower(value)) {
            return true;
        }
    }
    return false;
}

/// An attribute's value read as the two passes describe it, with `between` and the checks for
/// an empty quoted value.
inline Text referenceAttribute(std::string_view element, std::string_view name) {
    for (const char* prefix : {" ", ""}) {
        const Text left = prefix + Text(name) + "=";
        Text value = text::between(element, left + "\"", "\"");
        if (value.empty() && text::contains(element, left + "\"\"", CaseMode::IgnoreAscii)) {
            return {};
        }
        if (value.empty()) {
            value = text::between(element, left + "'", "'");
            if (value.empty() && text::contains(element, left + "''", CaseMode::IgnoreAscii)) {
                return {};
            }
        }
        if (value.empty()) {
            const Text a = text::between(element, left, " ");
            const Text b = text::between(element, left, ">");
            value = !b.empty() && (a.empty() || b.size() < a.size()) ? b : a;
        }
        value = text::trimSpaces(value);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

/// The raw text of every element, in the order the finder records them.
inline std::vector<Text> referenceElements(std::string_view page, std::string_view tags,
                                           const std::vector<Text>& names, std::vector<Text> values,
                                           const text::FindOptions& options) {
    const bool ignoreCase = options.ignoreCase.value_or(true);
    const bool contains = options.contains.value_or(false);
    const bool matchAll = options.matchAll.value_or(false);
    const bool innerOnly = options.innerOnly.value_or(false);
    const bool letterStartOnly = options.letterStartOnly.value_or(false);
    values.resize(names.size());
    const Text search = ignoreCase ? text::asciiLower(page) : Text(page);
    const std::vector<Text> pieces = tags.empty() ? std::vector<Text>{""} : text::split(tags, "|");
    std::vector<Text> elements;
    for (const Text& piece : pieces) {
        const Text name = ignoreCase ? text::asciiLower(piece) : piece;
        const Text open = "<" + name;
        std::size_t from = 0;
        for (std::size_t hit = text::find(search, open, from); hit != text::npos;
             hit = text::find(search, open, from)) {
            from = hit + 1;
            if (!name.empty() && !boundaryOk(search, hit + open.size())) {
                continue;
            }
            const std::size_t gt = text::find(search, ">", hit + open.size());
            if (gt == text::npos) {
                continue;
            }
            const std::string_view tag = page.substr(hit, gt - hit + 1);
            if (name.empty() && tag.substr(0, 2) == "</") {
                continue;
            }
            if (!names.empty()) {
                bool passed = matchAll;
                for (std::size_t i = 0; i < names.size(); ++i) {
                    const bool holds = attributeTestHolds(tag, names[i], values[i], contains);
                    if (holds != matchAll) {
                        passed = holds;
                        break;
                    }
                }
                if (!passed) {
                    continue;
                }
            }
            Text elementName = name;
            if (name.empty()) {
                if (letterStartOnly && !text::isAsciiLower(text::asciiToLower(tag[1]))) {
                    continue;
                }
                const std::string_view inner = tag.substr(1, tag.size() - 2);
                std::size_t cut = text::find(inner, " ");
                if (cut == text::npos) {
                    cut = text::find(inner, "\r\n");
                }
                const Text word(inner.substr(0, cut));
                elementName = ignoreCase ? text::asciiLower(word) : word;
            }
            const Text elementOpen = "<" + elementName;
            const Text close = "</" + elementName + ">";
            const bool selfClosing = tag.size() >= 3 && tag[tag.size() - 2] == '/';
            std::size_t closeAt = text::npos;
            if (!selfClosing) {
                // Counting pass: opening tags are counted up to each closing-tag candidate.
                std::size_t opens = 0;
                std::size_t closes = 0;
                std::size_t nextOpen = text::find(search, elementOpen, hit + 1);
                for (std::size_t c = text::find(search, close, hit + 1); c != text::npos;
                     c = text::find(search, close, c + 1)) {
                    for (; nextOpen != text::npos && nextOpen < c;
                         nextOpen = text::find(search, elementOpen, nextOpen + 1)) {
                        opens += boundaryOk(search, nextOpen + elementOpen.size()) ? 1 : 0;
                    }
                    if (opens == closes) {
                        closeAt = c;
                        break;
                    }
                    ++closes;
                }
            }
            std::size_t start = hit;
            std::size_t end = closeAt == text::npos ? gt + 1 : closeAt + close.size();
            if (innerOnly) {
                start = gt + 1;
                end = closeAt == text::npos || closeAt < start ? start : closeAt;
            }
            elements.emplace_back(page.substr(start, end - start));
            if (innerOnly) {
                from = start;
            }
        }
    }
    return elements;
}

}  // namespace yc::fuzz
