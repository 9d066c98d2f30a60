// Reading numbers out of setting and typed text: the leading number, rounded half to even.
#pragma once

#include <cstdint>
#include <string_view>

namespace orva {

// The number at the start of the text: leading blanks skipped, an optional sign, digits with an
// optional fraction and exponent; it ends at the first character that cannot continue it. No
// number gives 0.
double numericValue(std::string_view text);

// Nearest whole number, a half going to the even neighbour.
double roundHalfEven(double v);

// The text's number rounded half to even, clamped to the 32-bit range.
std::int32_t toInt32(std::string_view text);

// The text's number rounded half to even as an unsigned 8-bit value; out of range gives the
// fallback, since such values are not ours.
std::uint8_t toByteOr(std::string_view text, std::uint8_t fallback);

}  // namespace orva
