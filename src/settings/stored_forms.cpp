// Writing and reading the stored text forms of numbers, booleans, dates and line breaks.
#include "settings/stored_forms.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "text/charset.h"
#include "text/gbk_edit.h"

namespace yc::settings {
namespace {

constexpr int kNumberPrecision = 13;

std::size_t skipDigits(std::string_view s, std::size_t pos) {
    while (pos < s.size() && text::isAsciiDigit(s[pos])) {
        ++pos;
    }
    return pos;
}

/// Reads exactly `width` digits at `pos` (or, with width 0, one or more digits).
std::optional<long long> readDigits(std::string_view s, std::size_t& pos, std::size_t width) {
    const std::size_t end = width == 0 ? skipDigits(s, pos) : pos + width;
    if (end == pos || end > s.size() || skipDigits(s, pos) < end) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(s.data() + pos, s.data() + end, value);
    if (ec != std::errc() || ptr != s.data() + end) {
        return std::nullopt;
    }
    pos = end;
    return value;
}

bool expect(std::string_view s, std::size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

const Text& lineBreakEscape() {
    return YC_GBK("┊*┊");
}

Text escapeLineBreaks(std::string_view text) {
    return text::replaceAll(text, "\r\n", lineBreakEscape());
}

Text unescapeLineBreaks(std::string_view stored) {
    return text::replaceAll(stored, lineBreakEscape(), "\r\n");
}

Text formatNumber(double value) {
    std::array<char, 64> buffer{};
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::general, kNumberPrecision);
    return ec == std::errc() ? Text(buffer.data(), ptr) : Text("0");
}

double parseNumber(std::string_view stored) {
    std::size_t pos = 0;
    while (pos < stored.size() && (stored[pos] == ' ' || stored[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < stored.size() && (stored[pos] == '+' || stored[pos] == '-')) {
        negative = stored[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    pos = skipDigits(stored, pos);
    bool anyDigit = pos > digitsStart;
    if (pos < stored.size() && stored[pos] == '.') {
        const std::size_t fractionStart = pos + 1;
        const std::size_t fractionEnd = skipDigits(stored, fractionStart);
        if (anyDigit || fractionEnd > fractionStart) {
            anyDigit = true;
            pos = fractionEnd;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (pos < stored.size() && (stored[pos] == 'e' || stored[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < stored.size() && (stored[exponent] == '+' || stored[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = skipDigits(stored, exponent);
        if (exponentEnd > exponent) {
            pos = exponentEnd;
        }
    }
    // from_chars takes no sign of its own, so the sign is applied afterwards.
    double value = 0;
    const auto [ptr, ec] = std::from_chars(stored.data() + digitsStart, stored.data() + pos, value);
    if (ec == std::errc::result_out_of_range) {
        const bool tinyExponent =
            stored.substr(digitsStart, pos - digitsStart).find("e-") != std::string_view::npos ||
            stored.substr(digitsStart, pos - digitsStart).find("E-") != std::string_view::npos;
        value = tinyExponent ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc() || ptr != stored.data() + pos) {
        return 0;
    }
    return negative ? -value : value;
}

int toInteger(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value < kMin ? kMin : (value > kMax ? kMax : value)));
}

const Text& trueText() {
    return YC_GBK("真");
}
const Text& falseText() {
    return YC_GBK("假");
}

Text formatDateTime(DateTime value) {
    const auto day = std::chrono::floor<std::chrono::days>(value);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss time(value - day);
    std::array<char, 64> buffer{};
    const int n = std::snprintf(
        buffer.data(), buffer.size(), "%04d-%02u-%02u %02d:%02d:%02d",
        static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
        static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return Text(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

std::optional<DateTime> parseDateTime(std::string_view stored) {
    std::size_t pos = 0;
    const bool negativeYear = expect(stored, pos, '-');
    const auto year = readDigits(stored, pos, 0);
    if (!year || !expect(stored, pos, '-')) {
        return std::nullopt;
    }
    const auto month = readDigits(stored, pos, 2);
    if (!month || !expect(stored, pos, '-')) {
        return std::nullopt;
    }
    const auto day = readDigits(stored, pos, 2);
    if (!day || !expect(stored, pos, ' ')) {
        return std::nullopt;
    }
    const auto hour = readDigits(stored, pos, 2);
    if (!hour || !expect(stored, pos, ':')) {
        return std::nullopt;
    }
    const auto minute = readDigits(stored, pos, 2);
    if (!minute || !expect(stored, pos, ':')) {
        return std::nullopt;
    }
    const auto second = readDigits(stored, pos, 2);
    if (!second || pos != stored.size() || *year > 32767 || *hour > 23 || *minute > 59 ||
        *second > 59) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date(
        std::chrono::year(static_cast<int>(negativeYear ? -*year : *year)),
        std::chrono::month(static_cast<unsigned>(*month)),
        std::chrono::day(static_cast<unsigned>(*day)));
    if (!date.ok()) {
        return std::nullopt;
    }
    return std::chrono::sys_days(date) + std::chrono::hours(*hour) + std::chrono::minutes(*minute) +
           std::chrono::seconds(*second);
}

}  // namespace yc::settings
