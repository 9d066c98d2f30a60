// Name width and name padding of chat lines, and the digit reader of frequency changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orva {

struct ViewPart;

inline constexpr std::uint8_t kDefaultNameWidth = 14;
inline constexpr std::uint8_t kMaxNameWidth = 24;

// Spaces in front of a shorter name up to width (names end in one column); a longer name is cut
// to its first width characters.
std::string PadName(std::string_view name, std::uint8_t width);

// 0 gives 14, above 24 gives 24; stores NameWidth and writes it to "namelen" of "Config".
// False when the write failed (NameWidth is set all the same).
bool SetNameWidth(ViewPart& f, std::int32_t value);

// The number formed by the digits of the text, every other character skipped; no digit gives 0.
// Digits beyond what a 32-bit number holds are dropped.
std::int32_t DigitsValue(std::string_view text);

}  // namespace orva
