// Choosing the results' encoding from the locale, and encoding GBK text into it.
#include "cli/output_encoding.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "text/charset.h"

namespace yc::cli {
namespace {

/// The character set the environment names: the locale's own when the system has that locale,
/// else the part of the locale name after its ".", which is all a locale not installed here
/// still says about the terminal.
std::string localeCharset() {
    if (const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0))) {
        std::string charset = ::nl_langinfo_l(CODESET, locale);
        ::freelocale(locale);
        return charset;
    }
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            const std::string_view locale = value;
            const std::size_t dot = locale.find('.');
            return std::string(dot == std::string_view::npos ? "" : locale.substr(dot + 1));
        }
    }
    return "";
}

}  // namespace

TextEncoding terminalEncoding() {
    std::string charset = localeCharset();
    std::transform(charset.begin(), charset.end(), charset.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return charset.starts_with("GB") || charset == "CP936" ? TextEncoding::Gbk : TextEncoding::Utf8;
}

std::string encodeOutput(std::string_view gbk, TextEncoding encoding) {
    return encoding == TextEncoding::Gbk ? std::string(gbk) : text::gbkToUtf8(gbk);
}

}  // namespace yc::cli
