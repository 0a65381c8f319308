// The percent-encoding of form values, measured and appended in place.
#include "query/form_encoding.h"

#include "host/event_pump.h"
#include "text/gbk_edit.h"

namespace yc::query {
namespace {

bool isLiteral(char c) {
    return text::isAsciiLetter(c) || text::isAsciiDigit(c) || c == '.' || c == '_' || c == '-';
}

}  // namespace

std::size_t FormValueLength(std::string_view text) {
    std::size_t length = 0;
    for (const char c : text) {
        length += isLiteral(c) ? 1 : 3;
    }
    return length;
}

void AppendFormValue(Text& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : text) {
        if (isLiteral(c)) {
            out.push_back(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        const char escaped[] = {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
        out.append(escaped, sizeof escaped);
        host::processPendingEvents();
    }
}

Text EncodeFormValue(std::string_view text) {
    Text encoded;
    encoded.reserve(FormValueLength(text));
    AppendFormValue(encoded, text);
    return encoded;
}

}  // namespace yc::query
