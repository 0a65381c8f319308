// The regular-expression object on PCRE2: compiling, matching and replacing over GBK text.
#include "text/regex_object.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "text/gbk_unicode_map.h"

namespace yc::text {
namespace {

// Limits that make a pathological pattern fail quickly instead of running away, while a lazy
// loop such as "<td>((?:.|\r|\n)*?)</td>" still runs over a whole page of a few megabytes:
// backtracking steps per start position (about three per character such a loop passes), and,
// for the interpreter used when JIT is unavailable, nesting depth and heap for its frames.
// A loop iteration takes some 20 bytes of JIT stack; the stack is reserved, not committed.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 10'000'000;
constexpr uint32_t kHeapLimitKiB = 512 * 1024;
constexpr PCRE2_SIZE kJitStackMin = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 128 * 1024 * 1024;

// One JIT stack per thread serves every expression matched on it.
pcre2_jit_stack* threadJitStack(void*) {
    struct Stack {
        pcre2_jit_stack* stack = pcre2_jit_stack_create(kJitStackMin, kJitStackMax, nullptr);
        Stack() = default;
        Stack(const Stack&) = delete;
        Stack& operator=(const Stack&) = delete;
        ~Stack() { pcre2_jit_stack_free(stack); }
    };
    thread_local const Stack perThread;
    return perThread.stack;
}

// ECMAScript's "\v" is the vertical tab alone, where PCRE2 reads any vertical space; every other
// escape passes through. Works on the UTF-8 pattern, where a backslash byte is always one.
std::string verticalTabEscapes(std::string_view pattern) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '\\' || i + 1 == pattern.size()) {
            out.push_back(pattern[i]);
            continue;
        }
        ++i;
        if (pattern[i] == 'v') {
            out += "\\x0B";
        } else {
            out.push_back('\\');
            out.push_back(pattern[i]);
        }
    }
    return out;
}

constexpr std::string_view kEscapeAll = "\\^$+.{}[]=()?*|\"";
constexpr std::string_view kEscapeNoAlternation = "\\^$+.{}[]=()?*\"";
constexpr std::string_view kEscapeNoGrouping = "\\^$+.{}[]=?*\"";
constexpr std::string_view kEscapeWildcard = "\\^$+.{}[]=()-\"";

/// Puts a backslash before every character of `set`; with `wildcards`, "*" and "?" become ".*"
/// and ".?". One pass gives the same text as replacing the set's characters one after another,
/// because the backslash, escaped first, is never escaped again.
Text escapeCharacters(std::string_view text, std::string_view set, bool wildcards) {
    Text out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = charLength(text, i);
        const char c = text[i];
        if (len == 1 && set.find(c) != std::string_view::npos) {
            out.push_back('\\');
        } else if (len == 1 && wildcards && (c == '*' || c == '?')) {
            out.push_back('.');
        }
        out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

/// A span of the GBK subject, or unset (a group that took no part).
struct Span {
    std::size_t begin = SIZE_MAX;
    std::size_t end = SIZE_MAX;
    bool isSet() const { return begin != SIZE_MAX; }
};

struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using MatchDataPtr = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

}  // namespace

struct RegexObject::Engine {
    Text pattern;
    bool global = true;
    pcre2_code* code = nullptr;
    pcre2_match_context* context = nullptr;
    uint32_t groups = 0;

    Engine() = default;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    ~Engine() {
        pcre2_match_context_free(context);
        pcre2_code_free(code);
    }

    /// Calls `visit(spans)` for each match in order, spans[0] being the whole match and spans[g]
    /// group g, all in GBK byte offsets, with the match's start in UTF-16 units. Returns false
    /// when the engine gave up (a limit was reached).
    template <class Visit>
    bool forEachMatch(const Utf8Mapped& mapped, Visit&& visit) const {
        const std::string& utf8 = mapped.utf8();
        const auto* subject = reinterpret_cast<PCRE2_SPTR>(utf8.data());
        MatchDataPtr data(pcre2_match_data_create_from_pattern(code, nullptr));
        if (!data) {
            return false;
        }
        std::vector<Span> spans(groups + 1);
        std::size_t counted = 0;  // UTF-8 offset up to which characters were counted
        long long characters = 0;
        PCRE2_SIZE start = 0;
        while (start <= utf8.size()) {
            // The mapped text is well-formed UTF-8 by construction; skipping the check keeps a
            // global search linear.
            const int rc = pcre2_match(code, subject, utf8.size(), start, PCRE2_NO_UTF_CHECK,
                                       data.get(), context);
            if (rc == PCRE2_ERROR_NOMATCH) {
                return true;
            }
            if (rc < 0) {
                return false;
            }
            const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data.get());
            if (ov[0] > ov[1] || ov[1] > utf8.size()) {
                return false;  // \K tricks; no sensible span to report
            }
            for (uint32_t g = 0; g <= groups; ++g) {
                const PCRE2_SIZE b = ov[2 * g];
                const PCRE2_SIZE e = ov[2 * g + 1];
                spans[g] = (b == PCRE2_UNSET || e == PCRE2_UNSET || b > e)
                               ? Span{}
                               : Span{mapped.gbkOffset(b), mapped.gbkOffset(e)};
            }
            for (; counted < ov[0]; ++counted) {
                const auto byte = static_cast<unsigned char>(utf8[counted]);
                characters += (byte & 0xC0) == 0x80 ? 0 : (byte >= 0xF0 ? 2 : 1);
            }
            visit(spans, static_cast<int>(std::min<long long>(characters, INT_MAX)));
            if (!global) {
                return true;
            }
            start = ov[1];
            if (ov[0] == ov[1]) {
                // An empty match moves the search on by one character, as the scripting
                // engines do.
                if (start >= utf8.size()) {
                    return true;
                }
                ++start;
                while (start < utf8.size() &&
                       (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80) {
                    ++start;
                }
            }
        }
        return true;
    }
};

struct RegexObject::Matches {
    Text subject;
    std::size_t spansPerMatch = 1;  // the whole match, then each group
    std::vector<Span> spans;        // spansPerMatch entries for each match, in order
    std::vector<int> firstIndex;    // each match's start in characters

    std::size_t count() const { return firstIndex.size(); }
    Text cut(std::size_t match, std::size_t span) const {
        const Span& s = spans[match * spansPerMatch + span];
        return s.isSet() ? subject.substr(s.begin, s.end - s.begin) : Text();
    }
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject& other) = default;
RegexObject& RegexObject::operator=(const RegexObject& other) = default;

Text RegexObject::WildcardToPattern(std::string_view text) {
    return escapeCharacters(text, kEscapeWildcard, true);
}
Text RegexObject::EscapeAll(std::string_view text) {
    return escapeCharacters(text, kEscapeAll, false);
}
Text RegexObject::EscapeNoAlternation(std::string_view text) {
    return escapeCharacters(text, kEscapeNoAlternation, false);
}
Text RegexObject::EscapeNoGrouping(std::string_view text) {
    return escapeCharacters(text, kEscapeNoGrouping, false);
}

bool RegexObject::Compile(std::string_view pattern, const RegexFlags& flags) {
    engine_.reset();
    auto engine = std::make_shared<Engine>();
    engine->pattern = Text(pattern);
    engine->global = flags.global.value_or(true);

    // ECMAScript behaviour: \uhhhh and \xhh escapes (otherwise a literal letter), unset back
    // references match empty, "$" without multiline only at the very end, and CR as well as LF
    // ends a line for "^", "$" and ".". \C could end a match inside a character, so it is refused.
    uint32_t options = PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF |
                       PCRE2_DOLLAR_ENDONLY | PCRE2_NEVER_BACKSLASH_C;
    if (flags.ignoreCase.value_or(true)) {
        options |= PCRE2_CASELESS;
    }
    if (flags.multiline.value_or(true)) {
        options |= PCRE2_MULTILINE;
    }
    const std::string utf8Pattern = verticalTabEscapes(Utf8Mapped(pattern).utf8());
    std::unique_ptr<pcre2_compile_context, void (*)(pcre2_compile_context*)> compileContext(
        pcre2_compile_context_create(nullptr), &pcre2_compile_context_free);
    if (!compileContext) {
        return false;
    }
    pcre2_set_newline(compileContext.get(), PCRE2_NEWLINE_ANYCRLF);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    engine->code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8Pattern.data()), utf8Pattern.size(), options,
                      &error, &errorOffset, compileContext.get());
    if (engine->code == nullptr) {
        return false;
    }
    pcre2_pattern_info(engine->code, PCRE2_INFO_CAPTURECOUNT, &engine->groups);
    engine->context = pcre2_match_context_create(nullptr);
    if (engine->context == nullptr) {
        return false;
    }
    pcre2_set_match_limit(engine->context, kMatchLimit);
    pcre2_set_depth_limit(engine->context, kDepthLimit);
    pcre2_set_heap_limit(engine->context, kHeapLimitKiB);
    // Without JIT support the interpreter runs the pattern under the same limits.
    if (pcre2_jit_compile(engine->code, PCRE2_JIT_COMPLETE) == 0) {
        pcre2_jit_stack_assign(engine->context, &threadJitStack, nullptr);
    }
    engine_ = std::move(engine);
    return true;
}

int RegexObject::Search(std::string_view subject) {
    auto matches = std::make_shared<Matches>();
    matches->subject = Text(subject);
    if (engine_) {
        matches->spansPerMatch = engine_->groups + 1;
        const Utf8Mapped mapped(subject);
        const bool completed =
            engine_->forEachMatch(mapped, [&](const std::vector<Span>& spans, int firstIndex) {
                matches->spans.insert(matches->spans.end(), spans.begin(), spans.end());
                matches->firstIndex.push_back(firstIndex);
            });
        if (!completed) {
            matches->spans.clear();
            matches->firstIndex.clear();
        }
    }
    matches_ = std::move(matches);
    return MatchCount();
}

Text RegexObject::Pattern() const {
    return engine_ ? engine_->pattern : Text();
}

namespace {

/// One piece of a parsed replacement text: literal bytes, or a reference to a group (0 is the
/// whole match), to the text before the match, or to the text after it.
struct ReplacePiece {
    enum Kind { Literal, Group, Before, After } kind;
    std::string_view literal;
    std::size_t group = 0;
};

bool isDigitAt(std::string_view s, std::size_t i) {
    return i < s.size() && isAsciiDigit(s[i]);
}

/// Splits `replacement` by the ECMAScript rules: "$$", "$&", "$`", "$'", and "$n" / "$nn" for
/// groups that exist; any other "$" is literal.
std::vector<ReplacePiece> parseReplacement(std::string_view replacement, std::size_t groups) {
    std::vector<ReplacePiece> pieces;
    std::size_t literalStart = 0;
    auto flush = [&](std::size_t upTo) {
        if (upTo > literalStart) {
            pieces.push_back(
                {ReplacePiece::Literal, replacement.substr(literalStart, upTo - literalStart)});
        }
    };
    for (std::size_t i = 0; i < replacement.size();) {
        const std::size_t len = charLength(replacement, i);
        if (len != 1 || replacement[i] != '$' || i + 1 >= replacement.size()) {
            i += len;
            continue;
        }
        const char next = replacement[i + 1];
        std::size_t consumed = 0;
        ReplacePiece piece{ReplacePiece::Literal, {}};
        if (next == '$') {
            piece.literal = replacement.substr(i, 1);
            consumed = 2;
        } else if (next == '&') {
            piece = {ReplacePiece::Group, {}, 0};
            consumed = 2;
        } else if (next == '`') {
            piece = {ReplacePiece::Before, {}};
            consumed = 2;
        } else if (next == '\'') {
            piece = {ReplacePiece::After, {}};
            consumed = 2;
        } else if (isAsciiDigit(next)) {
            const auto one = static_cast<std::size_t>(next - '0');
            if (isDigitAt(replacement, i + 2)) {
                const std::size_t two =
                    one * 10 + static_cast<std::size_t>(replacement[i + 2] - '0');
                if (two >= 1 && two <= groups) {
                    piece = {ReplacePiece::Group, {}, two};
                    consumed = 3;
                }
            }
            if (consumed == 0 && one >= 1 && one <= groups) {
                piece = {ReplacePiece::Group, {}, one};
                consumed = 2;
            }
        }
        if (consumed == 0) {
            i += 1;
            continue;
        }
        flush(i);
        pieces.push_back(piece);
        i += consumed;
        literalStart = i;
    }
    flush(replacement.size());
    return pieces;
}

}  // namespace

Text RegexObject::Replace(std::string_view subject, std::string_view replacement) const {
    if (!engine_) {
        return Text(subject);
    }
    const std::vector<ReplacePiece> pieces = parseReplacement(replacement, engine_->groups);
    const Utf8Mapped mapped(subject);
    Text out;
    out.reserve(subject.size());
    std::size_t done = 0;
    const bool completed = engine_->forEachMatch(mapped, [&](const std::vector<Span>& spans, int) {
        const Span& whole = spans[0];
        if (!whole.isSet() || whole.begin < done) {
            return;  // cannot happen with the options used; never emit text twice
        }
        out.append(subject.substr(done, whole.begin - done));
        for (const ReplacePiece& piece : pieces) {
            switch (piece.kind) {
                case ReplacePiece::Literal:
                    out.append(piece.literal);
                    break;
                case ReplacePiece::Group:
                    if (spans[piece.group].isSet()) {
                        const Span& s = spans[piece.group];
                        out.append(subject.substr(s.begin, s.end - s.begin));
                    }
                    break;
                case ReplacePiece::Before:
                    out.append(subject.substr(0, whole.begin));
                    break;
                case ReplacePiece::After:
                    out.append(subject.substr(whole.end));
                    break;
            }
        }
        done = whole.end;
    });
    if (!completed) {
        return Text(subject);
    }
    out.append(subject.substr(done));
    return out;
}

int RegexObject::MatchCount() const {
    return matches_ ? static_cast<int>(std::min<std::size_t>(matches_->count(), INT_MAX)) : 0;
}

Text RegexObject::MatchText(int n) const {
    if (n < 1 || n > MatchCount()) {
        return {};
    }
    return matches_->cut(static_cast<std::size_t>(n - 1), 0);
}

Text RegexObject::GroupText(int n, int g) const {
    if (n < 1 || n > MatchCount() || g < 1 || g > GroupCount()) {
        return {};
    }
    return matches_->cut(static_cast<std::size_t>(n - 1), static_cast<std::size_t>(g));
}

int RegexObject::GroupCount() const {
    return MatchCount() > 0 ? static_cast<int>(matches_->spansPerMatch - 1) : 0;
}

namespace {

void writePosition(int* position, const std::vector<int>& firstIndex, int n) {
    if (position != nullptr && n >= 1 && static_cast<std::size_t>(n) <= firstIndex.size()) {
        *position = firstIndex[static_cast<std::size_t>(n - 1)];
    }
}

}  // namespace

Text RegexObject::MatchTextAndPosition(int n, int* position) const {
    if (matches_) {
        writePosition(position, matches_->firstIndex, n);
    }
    return MatchText(n);
}

Text RegexObject::GroupTextAndPosition(int n, int g, int* position) const {
    if (matches_) {
        writePosition(position, matches_->firstIndex, n);
    }
    return GroupText(n, g);
}

}  // namespace yc::text
