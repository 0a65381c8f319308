// Fuzzes RegexObject: an arbitrary pattern, flags, replacement and subject are compiled, searched
// and replaced; every match and group is read back; the escaping routines run on the subject.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "text/regex_object.h"

namespace {

constexpr int kMatchesRead = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    yc::text::RegexFlags flags;
    flags.ignoreCase = input.ConsumeBool();
    flags.multiline = input.ConsumeBool();
    flags.global = input.ConsumeBool();
    const std::string pattern = input.ConsumeRandomLengthString(64);
    const std::string replacement = input.ConsumeRandomLengthString(16);
    const std::string subject = input.ConsumeRemainingBytesAsString();

    yc::text::RegexObject regex;
    if (regex.Compile(pattern, flags)) {
        const int count = regex.Search(subject);
        const int groups = regex.GroupCount();
        for (int n = 1; n <= std::min(count, kMatchesRead); ++n) {
            int position = -1;
            (void)regex.MatchTextAndPosition(n, &position);
            if (position < 0) {
                __builtin_trap();
            }
            for (int g = 0; g <= groups + 1; ++g) {
                (void)regex.GroupTextAndPosition(n, g, &position);
            }
        }
        (void)regex.Replace(subject, replacement);
        const yc::text::RegexObject copy = regex;
        (void)copy.MatchText(1);
    }
    (void)yc::text::RegexObject::WildcardToPattern(subject);
    yc::text::RegexObject literal;
    if (literal.Compile(yc::text::RegexObject::EscapeAll(subject))) {
        (void)literal.Search(subject);
    }
    (void)literal.Compile(yc::text::RegexObject::EscapeNoAlternation(pattern));
    (void)literal.Compile(yc::text::RegexObject::EscapeNoGrouping(pattern));
    return 0;
}
