#include "config/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace orva {

double numericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string num;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) num += text[i++];
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        num += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        num += text[i++];
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            num += text[i++];
            digits = true;
        }
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        bool expDigits = false;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9' && exp.size() < 8) {
            exp += text[j++];
            expDigits = true;
        }
        if (expDigits) num += exp;
    }
    const double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

double roundHalfEven(double v) {
    return std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
}

std::int32_t toInt32(std::string_view text) {
    const double v = roundHalfEven(numericValue(text));
    if (v <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (v >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

std::uint8_t toByteOr(std::string_view text, std::uint8_t fallback) {
    const double v = roundHalfEven(numericValue(text));
    if (v < 0 || v > 255) return fallback;
    return static_cast<std::uint8_t>(v);
}

}  // namespace orva
