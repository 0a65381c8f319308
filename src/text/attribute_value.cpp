// Finding and replacing an attribute's value in an element's text.
#include "text/attribute_value.h"

#include <optional>

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::text {
namespace {

struct ValueSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
    bool quoted = false;
};

/// Where the value after the first `assignment` (such as ` name=`) is: up to the matching quote
/// when one follows, else up to the nearer of the next space and the next ">".
std::optional<ValueSpan> locateValue(std::string_view element, std::string_view assignment) {
    for (const std::string_view quote : {std::string_view("\""), std::string_view("'")}) {
        const Text left = Text(assignment) + Text(quote);
        const std::size_t l = find(element, left, 0, CaseMode::IgnoreAscii);
        if (l == npos) {
            continue;
        }
        const std::size_t begin = l + left.size();
        const std::size_t r = find(element, quote, begin);
        if (r != npos) {
            return ValueSpan{begin, r - begin, true};
        }
    }
    const std::size_t l = find(element, assignment, 0, CaseMode::IgnoreAscii);
    if (l == npos) {
        return std::nullopt;
    }
    const std::size_t begin = l + assignment.size();
    const std::size_t space = find(element, " ", begin);
    const std::size_t gt = find(element, ">", begin);
    const std::size_t toSpace = space == npos ? 0 : space - begin;
    const std::size_t toGt = gt == npos ? 0 : gt - begin;
    const bool takeGt = toGt != 0 && (toSpace == 0 || toGt < toSpace);
    return ValueSpan{begin, takeGt ? toGt : toSpace, false};
}

Text assignmentOf(std::string_view prefix, std::string_view name) {
    return Text(prefix) + Text(name) + "=";
}

}  // namespace

Text readAttribute(std::string_view element, std::string_view name) {
    for (const std::string_view prefix : {std::string_view(" "), std::string_view()}) {
        const std::optional<ValueSpan> span = locateValue(element, assignmentOf(prefix, name));
        if (!span) {
            continue;
        }
        if (span->quoted && span->length == 0) {
            return {};  // present and empty
        }
        Text value = trimSpaces(element.substr(span->begin, span->length));
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

Text replaceAttribute(std::string_view element, std::string_view name, std::string_view newValue) {
    Text work(element);
    const Text spaced = assignmentOf(" ", name);
    if (!contains(work, spaced, CaseMode::IgnoreAscii)) {
        std::size_t at = find(work, "/>");
        if (at == npos) {
            at = find(work, ">");
        }
        work.insert(at == npos ? work.size() : at, spaced + "\"\"");
    }
    std::optional<ValueSpan> chosen;
    for (const std::string_view prefix : {std::string_view(" "), std::string_view()}) {
        const std::optional<ValueSpan> span = locateValue(work, assignmentOf(prefix, name));
        if (!span) {
            continue;
        }
        if (!chosen || span->quoted || span->length > 0) {
            chosen = span;
        }
        if (span->quoted || span->length > 0) {
            break;
        }
    }
    if (chosen) {
        work.replace(chosen->begin, chosen->length, newValue);
    }
    return work;
}

}  // namespace yc::text
