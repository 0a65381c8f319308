// The text forms in which typed values live in the settings file: line breaks escaped as
// "┊*┊", numbers as "%.13g", booleans as "真"/"假", and a date-time form that reads back exactly.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::settings {

/// A date and time to the second, without a time zone.
using DateTime = std::chrono::sys_seconds;

/// "┊*┊" in GBK: the stand-in for CR LF inside a stored text.
const Text& lineBreakEscape();

Text escapeLineBreaks(std::string_view text);
Text unescapeLineBreaks(std::string_view stored);

/// 13 significant digits, no trailing zeros: whole numbers appear as plain integers. Independent
/// of the C locale, so a decimal comma never reaches the file.
Text formatNumber(double value);
/// The longest leading decimal number (after spaces and tabs); 0 when there is none.
double parseNumber(std::string_view stored);

/// A number read as an integer: truncated toward zero, kept within int's range, NaN as 0.
int toInteger(double value);

const Text& trueText();   ///< "真"
const Text& falseText();  ///< "假"
inline const Text& formatBool(bool value) {
    return value ? trueText() : falseText();
}

/// "YYYY-MM-DD hh:mm:ss".
Text formatDateTime(DateTime value);
/// The inverse of formatDateTime; nullopt for any other text or an impossible date.
std::optional<DateTime> parseDateTime(std::string_view stored);

}  // namespace yc::settings
