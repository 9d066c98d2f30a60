// Numbers read from text (protocol lines, settings, zone.dat, typed commands): the leading numeric
// value, rounded half to even into a field's width.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orva {

// The number the text begins with (after blanks): sign, digits, fraction, exponent. Text with no
// leading number reads as 0.
double leadingValue(std::string_view text);
inline double numericValue(std::string_view text) {
    return leadingValue(text);
}

// Nearest whole number, a half going to the even neighbour.
double roundHalfEven(double v);

// The text's number rounded half to even, clamped to the 32-bit range.
std::int32_t toInt32(std::string_view text);

// The text's number rounded half to even as an unsigned 8-bit value; out of range gives the
// fallback.
std::uint8_t toByteOr(std::string_view text, std::uint8_t fallback);

// The leading value rounded to the nearest whole number, a half going to the even neighbour;
// nothing when the result does not fit the field.
std::optional<std::uint8_t> toByte(std::string_view text);
std::optional<std::int16_t> toInt16(std::string_view text);

// The whole text (blanks around it allowed) as a signed 16-bit whole number; nothing otherwise.
std::optional<std::int16_t> wholeInt16(std::string_view text);

}  // namespace orva
