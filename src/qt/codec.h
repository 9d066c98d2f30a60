// The one conversion between the program's code page 1252 bytes and the Unicode of Qt widgets.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/cp1252.h"

namespace orva {

// Every byte has a character: the five bytes code page 1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, so any byte string round-trips.
QString fromCp1252(std::string_view bytes);

// A character the code page cannot hold becomes "?" (one per character, surrogate pairs included).
std::string toCp1252(const QString& text);

// One character, or '?' when it has no byte.
char toCp1252(char32_t ch);

}  // namespace orva
