#include "query/form_encoding.h"

#include "host/event_pump.h"
#include "text/gbk_edit.h"

namespace yc::query {

Text EncodeFormValue(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        if (text::isAsciiLetter(c) || text::isAsciiDigit(c)) {
            encoded.push_back(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        encoded.push_back('%');
        encoded.push_back(kHex[byte >> 4]);
        encoded.push_back(kHex[byte & 0x0F]);
        host::processPendingEvents();
    }
    encoded = text::replaceAll(encoded, "%2E", ".");
    encoded = text::replaceAll(encoded, "%5F", "_");
    return text::replaceAll(encoded, "%2D", "-");
}

}  // namespace yc::query
