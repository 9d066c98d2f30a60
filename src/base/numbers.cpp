#include "base/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orva {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<long long> roundedInRange(std::string_view text, long long lo, long long hi) {
    const double v = std::nearbyint(leadingValue(text));  // default rounding: half to even
    if (!(v >= static_cast<double>(lo) && v <= static_cast<double>(hi))) return std::nullopt;
    return static_cast<long long>(v);
}

}  // namespace

double leadingValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    std::size_t digits = i - start;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        digits += i - fracStart;
    }
    if (digits == 0) return 0.0;
    // "D" is the double-precision exponent letter of the classic number reader ("1D2" is 100).
    bool dExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        dExponent = text[i] == 'd' || text[i] == 'D';
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        } else {
            dExponent = false;
        }
    }
    double value = 0.0;
    std::string spelled;
    std::string_view digitsText = text.substr(start, i - start);
    if (dExponent) {
        spelled.assign(digitsText);
        for (char& c : spelled)
            if (c == 'd' || c == 'D') c = 'e';
        digitsText = spelled;
    }
    const auto r = std::from_chars(digitsText.data(), digitsText.data() + digitsText.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond a double: a negative exponent or a zero whole part means vanishingly small,
        // anything else is too large for every field.
        const std::string_view num = digitsText;
        const auto exp = num.find_first_of("eE");
        const std::string_view whole = num.substr(0, std::min(num.find('.'), exp));
        const bool small = (exp != num.npos && exp + 1 < num.size() && num[exp + 1] == '-') ||
                           whole.find_first_not_of('0') == whole.npos;
        value = small ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::optional<std::uint8_t> toByte(std::string_view text) {
    const auto v = roundedInRange(text, 0, 255);
    if (!v) return std::nullopt;
    return static_cast<std::uint8_t>(*v);
}

std::optional<std::int16_t> toInt16(std::string_view text) {
    const auto v = roundedInRange(text, std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max());
    if (!v) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int16_t> wholeInt16(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string_view t = text.substr(b, e - b);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    if (t.empty() || (t.size() == 1 && t[0] == '-')) return std::nullopt;
    int value = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

double roundHalfEven(double v) {
    return std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
}

std::int32_t toInt32(std::string_view text) {
    const double v = roundHalfEven(leadingValue(text));
    if (!(v > std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (v >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

std::uint8_t toByteOr(std::string_view text, std::uint8_t fallback) {
    return toByte(text).value_or(fallback);
}

}  // namespace orva
