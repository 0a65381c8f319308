// Forward and backward searches in GBK text, with and without ASCII case folding.
#include "text/gbk_search.h"

namespace yc::text {

bool matchesAt(std::string_view hay, std::size_t pos, std::string_view needle, CaseMode mode) {
    if (pos > hay.size() || hay.size() - pos < needle.size()) {
        return false;
    }
    if (mode == CaseMode::Exact) {
        return hay.compare(pos, needle.size(), needle) == 0;
    }
    // Case folding applies to single-byte characters only; a double-byte character must match
    // both of its bytes exactly, so an ASCII-valued trail byte is never folded.
    std::size_t i = 0;
    while (i < needle.size()) {
        const std::size_t len = charLength(hay, pos + i);
        if (len == 2) {
            if (i + 1 >= needle.size() || hay[pos + i] != needle[i] ||
                hay[pos + i + 1] != needle[i + 1]) {
                return false;
            }
        } else if (asciiToLower(hay[pos + i]) != asciiToLower(needle[i])) {
            return false;
        }
        i += len;
    }
    return true;
}

namespace {

// Moves `boundary` (a character start) forward to the first character start at or after
// `target`, skipping ASCII runs a word at a time.
std::size_t walkBoundary(std::string_view hay, std::size_t boundary, std::size_t target) {
    while (boundary < target) {
        boundary = asciiRunEnd(hay, boundary, target);
        if (boundary < target) {
            boundary += charLength(hay, boundary);
        }
    }
    return boundary;
}

}  // namespace

bool startsCharacter(std::string_view s, std::size_t pos) {
    // The byte after a run of lead-range bytes starts a character exactly when the run has an
    // even length: the run itself starts a character, and its bytes pair up.
    std::size_t run = 0;
    while (run < pos && isLeadByte(static_cast<unsigned char>(s[pos - run - 1]))) {
        ++run;
    }
    return run % 2 == 0;
}

std::size_t find(std::string_view hay, std::string_view needle, std::size_t from, CaseMode mode) {
    if (needle.empty() || from >= hay.size() || hay.size() - from < needle.size()) {
        return npos;
    }
    const std::size_t last = hay.size() - needle.size();
    const char first = needle[0];
    if (mode == CaseMode::IgnoreAscii && isAsciiLetter(first)) {
        const char lower = asciiToLower(first);
        const char upper = asciiToUpper(first);
        for (std::size_t pos = from; pos <= last; pos += charLength(hay, pos)) {
            const char c = hay[pos];
            if ((c == lower || c == upper) && matchesAt(hay, pos, needle, mode)) {
                return pos;
            }
        }
        return npos;
    }
    // Folding mode gets past here only when the first byte is no letter: it is searched exactly.
    const auto candidateFrom = [&](std::size_t scan) {
        return mode == CaseMode::Exact ? hay.find(needle, scan) : hay.find(first, scan);
    };
    if (!isLeadByte(static_cast<unsigned char>(first))) {
        // Such a candidate is checked by looking back over the lead-range bytes before it; the
        // runs looked over never overlap, so a sweep of the whole text stays linear.
        for (std::size_t pos = candidateFrom(from); pos != npos && pos <= last;
             pos = candidateFrom(pos + 1)) {
            if (startsCharacter(hay, pos) && matchesAt(hay, pos, needle, mode)) {
                return pos;
            }
        }
        return npos;
    }
    // A needle led by a lead byte may sit inside a long double-byte run, where looking back
    // would be quadratic: the character boundaries are walked forward instead, amortised over
    // the whole search.
    std::size_t boundary = from;  // always a character start
    std::size_t scan = from;
    for (;;) {
        const std::size_t candidate = candidateFrom(scan);
        if (candidate == npos || candidate > last) {
            return npos;
        }
        boundary = walkBoundary(hay, boundary, candidate);
        if (boundary == candidate && matchesAt(hay, candidate, needle, mode)) {
            return candidate;
        }
        scan = boundary == candidate ? candidate + 1 : boundary;
    }
}

std::size_t rfind(std::string_view hay, std::string_view needle, std::size_t atOrBefore,
                  CaseMode mode) {
    std::size_t found = npos;
    for (std::size_t pos = find(hay, needle, 0, mode); pos != npos && pos <= atOrBefore;) {
        found = pos;
        const std::size_t next = pos + charLength(hay, pos);
        pos = find(hay, needle, next, mode);
    }
    return found;
}

}  // namespace yc::text
