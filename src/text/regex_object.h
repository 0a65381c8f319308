// Regular expressions over GBK text. Patterns follow the scripting engines' ECMAScript-style
// syntax and replace rules ($n, $&, $`, $', $$); PCRE2 runs them on the Unicode form of the text.
// The object keeps the matches of its last search and offers routines that escape literal text.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::text {

/// Options of RegexObject::Compile; each one left out is on.
struct RegexFlags {
    std::optional<bool> ignoreCase;
    std::optional<bool> multiline;
    std::optional<bool> global;
};

class RegexObject {
  public:
    RegexObject();
    ~RegexObject();
    /// The copy shares the compiled expression and the matches; compiling or searching on either
    /// side later replaces only that side's reference.
    RegexObject(const RegexObject& other);
    RegexObject& operator=(const RegexObject& other);

    /// "*" becomes ".*" and "?" becomes ".?" (an optional character); other pattern characters
    /// are escaped.
    static Text WildcardToPattern(std::string_view text);
    static Text EscapeAll(std::string_view text);
    /// As EscapeAll, but "|" stays an alternation.
    static Text EscapeNoAlternation(std::string_view text);
    /// As EscapeNoAlternation, but "(" and ")" stay a group.
    static Text EscapeNoGrouping(std::string_view text);

    /// False when the pattern is not a valid expression; the object then has no expression.
    bool Compile(std::string_view pattern, const RegexFlags& flags = {});
    /// Runs the expression over `subject` (all matches when global, else the first) and keeps
    /// them; returns their number. Without an expression, or when the engine gives up on a
    /// pathological pattern, there are no matches.
    int Search(std::string_view subject);
    /// The pattern last compiled; "" without an expression.
    Text Pattern() const;
    /// `subject` with matches replaced (every match when global). Without an expression, or when
    /// the engine gives up, the subject comes back unchanged. Bytes outside the matches are kept
    /// exactly as they were.
    Text Replace(std::string_view subject, std::string_view replacement) const;

    int MatchCount() const;
    /// Match n (from 1) of the last search; "" when there is no such match.
    Text MatchText(int n) const;
    /// Group g (from 1) of match n; "" when either does not exist or the group took no part.
    Text GroupText(int n, int g) const;
    /// Number of capturing groups, as seen on the first match; 0 without matches.
    int GroupCount() const;
    /// As MatchText; when `position` is given it receives the match's start, counted in
    /// characters from 0. A match that does not exist leaves it alone.
    Text MatchTextAndPosition(int n, int* position) const;
    /// As GroupText; `position` receives the start of the whole match, not of the group.
    Text GroupTextAndPosition(int n, int g, int* position) const;

  private:
    struct Engine;
    struct Matches;

    std::shared_ptr<const Engine> engine_;
    std::shared_ptr<const Matches> matches_;
};

}  // namespace yc::text
