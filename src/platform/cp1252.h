// Code page 1252, the program's 8-bit text: the character of each byte, and UTF-8 for the world.
#pragma once

#include <string>
#include <string_view>

namespace orva {

// The character of one byte. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) are the control characters of the same number, so every byte has one.
char16_t cp1252Char(unsigned char byte);

// The same text in UTF-8.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 text in the code page: a character it lacks, or a byte that is no UTF-8, becomes "?".
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace orva
